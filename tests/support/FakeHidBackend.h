#pragma once

#include "transmitter/HidBackend.h"

#include <QString>

#include <cstdint>
#include <vector>

// An in-memory HID layer: devices are plugged and unplugged by the test, every
// feature report sent is recorded, and sends can be made to fail with an errno.
class FakeHidBackend : public HidBackend {
public:
    struct Device {
        HidDeviceInfo info;
        QString product;
        QString serial;
        int featureLength = 7;      // FeatureReportByteLength; -1: descriptor unreadable
        bool stringsReadable = true;
        int failErrno = 0;          // nonzero: every send fails with this errno
    };
    struct SentReport {
        QString identity;
        std::vector<std::uint8_t> bytes;  // as handed over, report id included
    };

    // Plugs a device in; an empty identity or path gets a fresh one. Returns the identity.
    QString plug(Device device);
    // The transmitter as it really is: 16C0:05DF, "RU5-Dadezuviriz", no serial, 7 bytes.
    QString plugTransmitter(const QString& serial = QString());
    void unplug(const QString& identity);
    void setFailErrno(const QString& identity, int error);

    std::vector<SentReport> sent;
    int enumerations = 0;

    std::vector<HidDeviceInfo> enumerate() override;
    std::optional<QString> productString(const HidDeviceInfo& device) override;
    std::optional<QString> serialNumber(const HidDeviceInfo& device) override;
    std::optional<int> featureReportLength(const HidDeviceInfo& device) override;
    bool sendFeatureReport(const HidDeviceInfo& device, const std::uint8_t* data, int length,
                           int& error) override;

private:
    Device* find(const QString& identity);
    std::vector<Device> m_devices;
    int m_next = 0;
};
