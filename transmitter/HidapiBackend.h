#pragma once

#include "transmitter/HidBackend.h"

#include <QString>

#include <map>

struct hid_device_;

// The real HID layer: hidapi over hidraw for listing and sending, sysfs for the
// device identity and the report descriptor. A device is opened only when a report
// is sent to it, so a device the user may not open is still listed (and named); the
// send then fails with the errno of the refused open (EACCES).
class HidapiBackend : public HidBackend {
public:
    // sysfsRoot: where the kernel's sysfs is mounted; tests point it to a tree of their own.
    explicit HidapiBackend(QString sysfsRoot = QStringLiteral("/sys"));
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    std::vector<HidDeviceInfo> enumerate() override;
    std::optional<QString> productString(const HidDeviceInfo& device) override;
    std::optional<QString> serialNumber(const HidDeviceInfo& device) override;
    std::optional<int> featureReportLength(const HidDeviceInfo& device) override;
    bool sendFeatureReport(const HidDeviceInfo& device, const std::uint8_t* data, int length,
                           int& error) override;
    void close(const HidDeviceInfo& device) override;

    // The identity of the hidraw device behind a device node: the canonical sysfs
    // path of its hidraw class device. That path holds the HID device's name
    // ("0003:16C0:05DF.0007"), whose sequence number the kernel never reuses while
    // it runs, so a re-plugged device differs even on the same /dev/hidrawN; it works
    // alike for USB and virtual (uhid) devices. Without sysfs: the node's path, inode
    // and change time. Empty when the node does not exist.
    QString identityOf(const QString& devicePath) const;
    // The raw report descriptor of a device's hidraw class directory; nullopt when unreadable.
    static std::optional<std::vector<std::uint8_t>> readReportDescriptor(const QString& hidrawSysfsDir);

private:
    // The canonical sysfs path of the node's hidraw class device; empty without one.
    QString hidrawSysfsDir(const QString& devicePath) const;

    struct Known {
        QString sysfsDir;      // the hidraw class device; empty without sysfs
        QString product;
        QString serial;
    };

    QString m_sysfsRoot;
    std::map<QString, Known> m_known;           // by identity, from the latest enumeration
    std::map<QString, hid_device_*> m_handles;  // by identity, open while in use
};
