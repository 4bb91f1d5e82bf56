#include "transmitter/UdevWatcher.h"

#include <QSocketNotifier>
#include <QTimer>

#include <libudev.h>
#include <unistd.h>

namespace {
// A plug produces several events (the hidraw node, sometimes more than one
// interface); waiting briefly lets one enumeration see them all.
constexpr int CoalesceMs = 50;
}

UdevWatcher::UdevWatcher(const QString& source, QObject* parent, int pollIntervalMs) : QObject(parent)
{
    m_coalesce = new QTimer(this);
    m_coalesce->setObjectName(QStringLiteral("coalesceTimer"));
    m_coalesce->setSingleShot(true);
    m_coalesce->setInterval(CoalesceMs);
    connect(m_coalesce, &QTimer::timeout, this, &UdevWatcher::devicesChanged);

    // Without a running udevd, libudev hands out a "udev" monitor that never receives
    // anything; polling at least notices devices then.
    const bool udevdRuns = ::access("/run/udev/control", F_OK) == 0;
    m_udev = udev_new();
    if (m_udev && (source != QLatin1String("udev") || udevdRuns))
        m_monitor = udev_monitor_new_from_netlink(m_udev, source.toUtf8().constData());
    if (m_monitor && (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
                      udev_monitor_enable_receiving(m_monitor) < 0 || udev_monitor_get_fd(m_monitor) < 0)) {
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
    }

    if (m_monitor) {
        m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &UdevWatcher::drainMonitor);
        return;
    }
    m_poll = new QTimer(this);
    m_poll->setObjectName(QStringLiteral("pollTimer"));
    m_poll->setInterval(pollIntervalMs);
    connect(m_poll, &QTimer::timeout, this, &UdevWatcher::devicesChanged);
    m_poll->start();
}

UdevWatcher::~UdevWatcher()
{
    delete m_notifier;  // before its descriptor goes away with the monitor
    m_notifier = nullptr;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

void UdevWatcher::noteEvent()
{
    m_coalesce->start();
}

void UdevWatcher::drainMonitor()
{
    // The monitor's socket is non-blocking: read until it is empty, or the notifier
    // would fire again at once for the events left.
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        udev_device_unref(device);
        noteEvent();
    }
}
