#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// One HID device as an enumeration lists it.
struct HidDeviceInfo {
    QString path;       // the name by which the device is opened (/dev/hidrawN)
    QString identity;   // tells a re-plugged device from the old one, even on the same path
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t version = 0;
};

// The platform's HID layer as the device controller needs it. The real one is
// hidapi (hidraw) with sysfs; tests use an in-memory fake.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Every HID device present now, in the platform's order.
    virtual std::vector<HidDeviceInfo> enumerate() = 0;
    // Product and serial number strings; nullopt when the read failed (it may be
    // retried later), an empty string when the device has none.
    virtual std::optional<QString> productString(const HidDeviceInfo& device) = 0;
    virtual std::optional<QString> serialNumber(const HidDeviceInfo& device) = 0;
    // FeatureReportByteLength of the device's capabilities (report id byte included);
    // nullopt when the report descriptor cannot be read.
    virtual std::optional<int> featureReportLength(const HidDeviceInfo& device) = 0;
    // Sends one feature report (report id in byte 0). On failure returns false and
    // sets `error` to the errno value.
    virtual bool sendFeatureReport(const HidDeviceInfo& device, const std::uint8_t* data, int length,
                                   int& error) = 0;
    // Releases whatever the backend keeps open for the device.
    virtual void close(const HidDeviceInfo& device) { (void)device; }
};
