#pragma once

#include "transmitter/HidBackend.h"

#include <QString>

#include <cstdint>

// The part of the HID capabilities record that the program reads.
struct HidCaps {
    int FeatureReportByteLength = 0;
};

// One HID device of the controller. Strings and capabilities are read on demand and
// kept once a read has succeeded.
class THidDevice {
public:
    THidDevice(HidBackend& backend, HidDeviceInfo info);
    ~THidDevice();
    THidDevice(const THidDevice&) = delete;
    THidDevice& operator=(const THidDevice&) = delete;

    const HidDeviceInfo& info() const { return m_info; }
    const QString& path() const { return m_info.path; }
    const QString& identity() const { return m_info.identity; }
    std::uint16_t vendorId() const { return m_info.vendorId; }
    std::uint16_t productId() const { return m_info.productId; }
    std::uint16_t version() const { return m_info.version; }

    bool pluggedIn() const { return m_pluggedIn; }
    bool checkedOut() const { return m_checkedOut; }
    void setPluggedIn(bool plugged);
    void setCheckedOut(bool out) { m_checkedOut = out; }

    QString GetProductName();
    QString GetSerialNumber();
    HidCaps GetCaps();
    // Linux queues input reports without a per-handle setting; the program never reads them.
    void SetNumInputBuffers(int count) { m_inputBuffers = count; }
    void SetNumOverlappedBuffers(int count) { m_overlappedBuffers = count; }
    int numInputBuffers() const { return m_inputBuffers; }
    int numOverlappedBuffers() const { return m_overlappedBuffers; }

    // Sends one feature report; false when unplugged, not openable or refused, with
    // lastError() holding the errno value.
    bool SetFeature(const std::uint8_t* report, int length);
    int lastError() const { return m_lastError; }

private:
    HidBackend& m_backend;
    HidDeviceInfo m_info;
    bool m_pluggedIn = true;
    bool m_checkedOut = false;
    bool m_productRead = false;
    bool m_serialRead = false;
    bool m_capsRead = false;
    QString m_product;
    QString m_serial;
    HidCaps m_caps;
    int m_inputBuffers = 0;
    int m_overlappedBuffers = 0;
    int m_lastError = 0;
};
