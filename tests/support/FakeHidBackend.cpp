#include "tests/support/FakeHidBackend.h"

#include <algorithm>
#include <cerrno>

QString FakeHidBackend::plug(Device device)
{
    ++m_next;
    if (device.info.identity.isEmpty())
        device.info.identity = QStringLiteral("fake-%1").arg(m_next);
    if (device.info.path.isEmpty())
        device.info.path = QStringLiteral("/dev/hidraw%1").arg(m_next);
    m_devices.push_back(device);
    return device.info.identity;
}

QString FakeHidBackend::plugTransmitter(const QString& serial)
{
    Device d;
    d.info.vendorId = 0x16C0;
    d.info.productId = 0x05DF;
    d.info.version = 0x0100;
    d.product = QStringLiteral("RU5-Dadezuviriz");
    d.serial = serial;
    d.featureLength = 7;
    return plug(d);
}

void FakeHidBackend::unplug(const QString& identity)
{
    m_devices.erase(std::remove_if(m_devices.begin(), m_devices.end(),
                                   [&](const Device& d) { return d.info.identity == identity; }),
                    m_devices.end());
}

void FakeHidBackend::setFailErrno(const QString& identity, int error)
{
    if (Device* d = find(identity))
        d->failErrno = error;
}

FakeHidBackend::Device* FakeHidBackend::find(const QString& identity)
{
    for (Device& d : m_devices)
        if (d.info.identity == identity)
            return &d;
    return nullptr;
}

std::vector<HidDeviceInfo> FakeHidBackend::enumerate()
{
    ++enumerations;
    std::vector<HidDeviceInfo> list;
    for (const Device& d : m_devices)
        list.push_back(d.info);
    return list;
}

std::optional<QString> FakeHidBackend::productString(const HidDeviceInfo& device)
{
    Device* d = find(device.identity);
    if (!d || !d->stringsReadable)
        return std::nullopt;
    return d->product;
}

std::optional<QString> FakeHidBackend::serialNumber(const HidDeviceInfo& device)
{
    Device* d = find(device.identity);
    if (!d || !d->stringsReadable)
        return std::nullopt;
    return d->serial;
}

std::optional<int> FakeHidBackend::featureReportLength(const HidDeviceInfo& device)
{
    Device* d = find(device.identity);
    if (!d || d->featureLength < 0)
        return std::nullopt;
    return d->featureLength;
}

bool FakeHidBackend::sendFeatureReport(const HidDeviceInfo& device, const std::uint8_t* data, int length,
                                       int& error)
{
    Device* d = find(device.identity);
    if (!d) {
        error = ENODEV;
        return false;
    }
    if (d->failErrno) {
        error = d->failErrno;
        return false;
    }
    sent.push_back({device.identity, std::vector<std::uint8_t>(data, data + std::max(0, length))});
    return true;
}
