#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

class THidDevice;
class THidDeviceController;
class Transmitter;

// Finds the infrared transmitter among the controller's devices at every device
// change, makes it the transmitter's device and names it for the device label.
class TransmitterDiscovery : public QObject {
    Q_OBJECT
public:
    static constexpr std::uint16_t VendorId = 5824;   // 0x16C0
    static constexpr std::uint16_t ProductId = 1503;  // 0x05DF
    static inline const QString ProductName = QStringLiteral("RU5-Dadezuviriz");
    static inline const QString LabelPrefix = QStringLiteral("USB-Gerätename: ");

    // Connects itself to the controller's deviceChange().
    TransmitterDiscovery(THidDeviceController& controller, Transmitter& transmitter, QObject* parent = nullptr);
    ~TransmitterDiscovery() override;

    // The product string, else " [Device VID=XXXX PID=XXXX]"; " [Serial=...]" appended
    // when the device reports a serial number.
    static QString deviceName(THidDevice& device);

public slots:
    // The controller's OnDeviceChange handler.
    void HidCtlDeviceChange();

signals:
    // The new caption of the device label.
    void labelChanged(const QString& caption);

private:
    THidDeviceController& m_controller;
    Transmitter& m_transmitter;
};
