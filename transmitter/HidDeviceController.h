#pragma once

#include "transmitter/HidBackend.h"
#include "transmitter/HidDevice.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// Keeps the list of HID devices present, hands them out one at a time and tells the
// program when devices come and go. Owns every device object; the program only
// refers to the ones it checked out, which therefore stay alive (marked unplugged
// when they disappear) until the controller is destroyed.
class THidDeviceController : public QObject {
    Q_OBJECT
public:
    // The first enumeration is queued: it runs once the event loop turns, so the
    // receivers of deviceChange() can be connected after construction.
    explicit THidDeviceController(HidBackend& backend, QObject* parent = nullptr);
    ~THidDeviceController() override;

    // Hands out the first device of the list that is not checked out yet and marks it
    // checked out; false (and device = nullptr) when every device is checked out.
    bool CheckOut(THidDevice*& device);
    // Plugged-in devices whose product string equals name exactly, checked out or not.
    int CountByProductName(const QString& name);

    // The device list in order of first appearance.
    const std::vector<std::unique_ptr<THidDevice>>& devices() const { return m_devices; }
    int checkedInCount() const { return m_checkedIn; }
    int checkedOutCount() const { return m_checkedOut; }
    int unpluggedCount() const { return m_unplugged; }

public slots:
    // A hot-plug notification: enumerates again. Ignored while an enumeration
    // (including the deviceChange() receivers) runs.
    void DeviceChangeNotification();

signals:
    // OnDeviceChange: after the first enumeration, then after every enumeration that
    // found a device arrived or removed.
    void deviceChange();

private:
    void enumerate(bool first);
    void recount();

    HidBackend& m_backend;
    std::vector<std::unique_ptr<THidDevice>> m_devices;
    bool m_enumerating = false;
    int m_checkedIn = 0;
    int m_checkedOut = 0;
    int m_unplugged = 0;
};
