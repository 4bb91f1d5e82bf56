#include "sequence/RgbFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString HeaderSection = QStringLiteral("Header");
const QString StepSection = QStringLiteral("Sequenz");

struct HeaderKey {
    const char* key;
    int RgbFileData::*field;
};
// In the order saving writes them.
constexpr HeaderKey HeaderKeys[] = {
    {"Modul", &RgbFileData::modul},
    {"Count", &RgbFileData::count},
    {"Speed", &RgbFileData::speed},
    {"TS_End", &RgbFileData::tsEnd},
    {"Repeat", &RgbFileData::repeat},
};

struct StepKey {
    const char* prefix;
    qint64 RgbFileStep::*field;
};
constexpr StepKey StepKeys[] = {
    {"TS", &RgbFileStep::ts},
    {"R", &RgbFileStep::r},
    {"G", &RgbFileStep::g},
    {"B", &RgbFileStep::b},
};

QString stepKey(const StepKey& k, int step)
{
    return QLatin1StringView(k.prefix) + QString::number(step);
}

QString writeError(const QString& path)
{
    return QStringLiteral("nach %1 kann nicht geschrieben werden").arg(path);
}

}  // namespace

ModuleVariant moduleVariantFromFile(int modul)
{
    switch (modul) {
    case 0: return ModuleVariant::ATtiny85;
    case 1: return ModuleVariant::ATtiny45;
    default: return ModuleVariant::ATtiny45MS;
    }
}

int moduleVariantFileValue(ModuleVariant variant)
{
    return static_cast<int>(variant);
}

RgbFileData readRgbFile(const IniDocument& ini)
{
    RgbFileData data;
    for (const HeaderKey& k : HeaderKeys)
        data.*k.field = ini.intValue(HeaderSection, QLatin1StringView(k.key), 0);
    for (int i = 0; i < RgbFileSteps; ++i) {
        for (const StepKey& k : StepKeys)
            data.steps[i].*k.field = ini.intValue(StepSection, stepKey(k, i), 0);
    }
    return data;
}

QByteArray writeRgbFile(const QByteArray& existingContent, const RgbFileData& data)
{
    IniDocument ini(existingContent);
    for (const HeaderKey& k : HeaderKeys)
        ini.setValue(HeaderSection, QLatin1StringView(k.key), QString::number(data.*k.field));
    for (int i = 0; i < RgbFileSteps; ++i) {
        for (const StepKey& k : StepKeys)
            ini.setValue(StepSection, stepKey(k, i), QString::number(data.steps[i].*k.field));
    }
    return ini.toBytes();
}

bool loadRgbFile(const QString& path, RgbFileData& data, QString* error)
{
    QFile file(path);
    // Only regular files: a device or a pipe could deliver endless data or block.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Datei %1 kann nicht gelesen werden").arg(path);
        return false;
    }
    const QByteArray content = file.read(RgbFileReadLimit);
    data = readRgbFile(IniDocument(content));
    return true;
}

bool saveRgbFile(const QString& path, const RgbFileData& data, QString* error)
{
    auto fail = [&] {
        if (error)
            *error = writeError(path);
        return false;
    };
    QByteArray existing;
    const QFileInfo info(path);
    if (info.exists()) {
        // Replacing a file we cannot read would lose its other sections. A write-protected file
        // (no write bit at all) stays as it is, also for root, who could replace it. A file too
        // large to be a sequence file is not read into memory to be rewritten.
        QFile file(path);
        const auto writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        if (!info.isFile() || !info.isWritable() || !(info.permissions() & writeBits)
            || info.size() > RgbFileReadLimit || !file.open(QIODevice::ReadOnly))
            return fail();
        existing = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return fail();
    }
    const QByteArray content = writeRgbFile(existing, data);
    // Unbuffered, so that a short write (disk full, file size limit) shows in write()'s result:
    // a buffered QSaveFile can commit a truncated file and report success. Without a commit the
    // temporary file is discarded.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || out.write(content) != content.size()
        || !out.commit())
        return fail();
    return true;
}
