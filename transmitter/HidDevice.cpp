#include "transmitter/HidDevice.h"

#include <cerrno>

namespace {
constexpr int MaxStringChars = 254;  // the 508-byte buffer of wide characters
}

THidDevice::THidDevice(HidBackend& backend, HidDeviceInfo info) : m_backend(backend), m_info(std::move(info)) {}

THidDevice::~THidDevice()
{
    m_backend.close(m_info);
}

void THidDevice::setPluggedIn(bool plugged)
{
    if (m_pluggedIn && !plugged)
        m_backend.close(m_info);
    m_pluggedIn = plugged;
}

QString THidDevice::GetProductName()
{
    if (!m_productRead && m_pluggedIn) {
        if (auto s = m_backend.productString(m_info)) {
            m_product = s->left(MaxStringChars);
            m_productRead = true;
        }
    }
    return m_product;
}

QString THidDevice::GetSerialNumber()
{
    if (!m_serialRead && m_pluggedIn) {
        if (auto s = m_backend.serialNumber(m_info)) {
            m_serial = s->left(MaxStringChars);
            m_serialRead = true;
        }
    }
    return m_serial;
}

HidCaps THidDevice::GetCaps()
{
    if (!m_capsRead && m_pluggedIn) {
        if (auto length = m_backend.featureReportLength(m_info)) {
            m_caps.FeatureReportByteLength = *length;
            m_capsRead = true;
        }
    }
    return m_caps;
}

bool THidDevice::SetFeature(const std::uint8_t* report, int length)
{
    if (!m_pluggedIn) {
        m_lastError = ENODEV;
        return false;
    }
    int error = 0;
    if (m_backend.sendFeatureReport(m_info, report, length, error)) {
        m_lastError = 0;
        return true;
    }
    m_lastError = error ? error : EIO;
    return false;
}
