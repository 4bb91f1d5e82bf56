#pragma once

#include "VirtualTransmitter.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

// Reports as hex text ("00 0e e0 48 …"), so a failed comparison shows the bytes.
inline QStringList hexOf(const std::vector<VirtualTransmitter::Bytes>& reports)
{
    QStringList list;
    for (const VirtualTransmitter::Bytes& report : reports)
        list << QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(report.data()), qsizetype(report.size())).toHex(' '));
    return list;
}
