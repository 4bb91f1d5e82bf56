#include "transmitter/HidDeviceController.h"

#include <QMetaObject>
#include <QSet>

#include <algorithm>

THidDeviceController::THidDeviceController(HidBackend& backend, QObject* parent)
    : QObject(parent), m_backend(backend)
{
    QMetaObject::invokeMethod(this, [this] { enumerate(true); }, Qt::QueuedConnection);
}

THidDeviceController::~THidDeviceController() = default;

bool THidDeviceController::CheckOut(THidDevice*& device)
{
    device = nullptr;
    for (const auto& d : m_devices) {
        if (!d->checkedOut()) {
            d->setCheckedOut(true);
            device = d.get();
            break;
        }
    }
    recount();
    return device != nullptr;
}

int THidDeviceController::CountByProductName(const QString& name)
{
    return int(std::count_if(m_devices.begin(), m_devices.end(), [&](const auto& d) {
        return d->pluggedIn() && d->GetProductName() == name;
    }));
}

void THidDeviceController::DeviceChangeNotification()
{
    enumerate(false);
}

void THidDeviceController::enumerate(bool first)
{
    if (m_enumerating)
        return;
    m_enumerating = true;
    // Reset even if a receiver throws, so later notifications are not ignored forever.
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_enumerating};

    const std::vector<HidDeviceInfo> present = m_backend.enumerate();
    QSet<QString> presentIds;
    presentIds.reserve(qsizetype(present.size()));
    for (const HidDeviceInfo& info : present)
        presentIds.insert(info.identity);

    int changes = 0;
    // Removals, from the end of the list to its start. A device already unplugged but
    // kept because it is checked out counts as removed again each time.
    QSet<QString> listedIds;  // identities of the plugged-in devices that stay
    for (auto i = m_devices.size(); i-- > 0;) {
        THidDevice& device = *m_devices[i];
        if (device.pluggedIn() && presentIds.contains(device.identity())) {
            listedIds.insert(device.identity());
            continue;
        }
        device.setPluggedIn(false);
        ++changes;
        if (!device.checkedOut())
            m_devices.erase(m_devices.begin() + std::ptrdiff_t(i));
    }

    // Arrivals, appended in enumeration order. A device object is made only for a
    // new identity: making and discarding one would close the listed device's handle.
    for (const HidDeviceInfo& info : present) {
        if (listedIds.contains(info.identity))
            continue;
        listedIds.insert(info.identity);
        m_devices.push_back(std::make_unique<THidDevice>(m_backend, info));
        ++changes;
    }

    recount();
    if (changes > 0 || first)
        emit deviceChange();
}

void THidDeviceController::recount()
{
    m_checkedIn = m_checkedOut = m_unplugged = 0;
    for (const auto& d : m_devices) {
        if (!d->pluggedIn())
            ++m_unplugged;
        else if (d->checkedOut())
            ++m_checkedOut;
        else
            ++m_checkedIn;
    }
}
