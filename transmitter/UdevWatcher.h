#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;
class QTimer;
struct udev;
struct udev_monitor;

// Hot-plug notification: watches the "hidraw" subsystem through a libudev monitor fed
// into the event loop, and emits devicesChanged() once per burst of events. Without a
// monitor it falls back to polling: devicesChanged() every pollIntervalMs.
class UdevWatcher : public QObject {
    Q_OBJECT
public:
    // source: "udev" (events after udevd has applied its rules, so the device node's
    // permissions are final; polls when udevd does not run) or "kernel" (raw kernel
    // events, for systems without udevd).
    explicit UdevWatcher(const QString& source = QStringLiteral("udev"), QObject* parent = nullptr,
                         int pollIntervalMs = 1000);
    ~UdevWatcher() override;
    UdevWatcher(const UdevWatcher&) = delete;
    UdevWatcher& operator=(const UdevWatcher&) = delete;

    // True when a monitor runs, false when polling.
    bool monitoring() const { return m_monitor != nullptr; }

public slots:
    // Notes one event; the events of one burst end in a single devicesChanged().
    void noteEvent();

signals:
    void devicesChanged();

private:
    void drainMonitor();

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_coalesce = nullptr;
    QTimer* m_poll = nullptr;
};
