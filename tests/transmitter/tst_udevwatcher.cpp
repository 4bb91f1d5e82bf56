#include "tests/support/TestRegistry.h"
#include "transmitter/UdevWatcher.h"

#include <QFile>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>

class TestUdevWatcher : public QObject {
    Q_OBJECT
private slots:
    void burstOfEventsGivesOneChange();
    void fallsBackToPolling();
    void kernelMonitor();
    void udevMonitorNeedsUdevd();
};

void TestUdevWatcher::burstOfEventsGivesOneChange()
{
    UdevWatcher watcher(QStringLiteral("kernel"));
    QSignalSpy spy(&watcher, &UdevWatcher::devicesChanged);
    watcher.noteEvent();
    watcher.noteEvent();
    watcher.noteEvent();
    QCOMPARE(spy.count(), 0);
    QTRY_COMPARE(spy.count(), 1);
    auto* coalesce = watcher.findChild<QTimer*>(QStringLiteral("coalesceTimer"));
    QVERIFY(coalesce);
    QVERIFY(!coalesce->isActive());  // nothing more to come
}

void TestUdevWatcher::fallsBackToPolling()
{
    UdevWatcher standard(QStringLiteral("no such source"));
    QVERIFY(!standard.monitoring());
    auto* poll = standard.findChild<QTimer*>(QStringLiteral("pollTimer"));
    QVERIFY(poll);
    QVERIFY(poll->isActive());
    QCOMPARE(poll->interval(), 1000);
    QVERIFY(!poll->isSingleShot());

    UdevWatcher quick(QStringLiteral("no such source"), nullptr, 1);
    QSignalSpy spy(&quick, &UdevWatcher::devicesChanged);
    QTRY_VERIFY(spy.count() >= 2);
}

void TestUdevWatcher::kernelMonitor()
{
    UdevWatcher watcher(QStringLiteral("kernel"));
    if (!watcher.monitoring())
        QSKIP("no netlink uevent socket available here");
    QVERIFY(!watcher.findChild<QTimer*>(QStringLiteral("pollTimer")));
    auto* notifier = watcher.findChild<QSocketNotifier*>();
    QVERIFY(notifier);
    QVERIFY(notifier->isEnabled());
    QCOMPARE(notifier->type(), QSocketNotifier::Read);
}

void TestUdevWatcher::udevMonitorNeedsUdevd()
{
    UdevWatcher watcher(QStringLiteral("udev"));
    const bool udevd = QFile::exists(QStringLiteral("/run/udev/control"));
    QCOMPARE(watcher.monitoring(), udevd);
    QCOMPARE(watcher.findChild<QTimer*>(QStringLiteral("pollTimer")) != nullptr, !udevd);
}

TINTARO_REGISTER_TEST(TestUdevWatcher);
#include "tst_udevwatcher.moc"
