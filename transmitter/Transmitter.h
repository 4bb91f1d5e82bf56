#pragma once

#include "transmitter/Frames.h"

#include <QObject>

#include <functional>

class THidDevice;

// The send operations every sender goes through: builds the frame, wraps it into the
// transmitter's feature report, hands it to the transmitter and reports the outcome.
class Transmitter : public QObject {
    Q_OBJECT
public:
    using PauseFunction = std::function<void(int milliseconds)>;

    explicit Transmitter(QObject* parent = nullptr);

    // TransmitterDevice: the device frames go to, or none. The controller owns it.
    THidDevice* device() const { return m_device; }
    void setDevice(THidDevice* device) { m_device = device; }

    // Pacing values; the pacing spin edits write them.
    int repeatCount() const { return m_repeatCount; }
    int repeatDelayMs() const { return m_repeatDelayMs; }
    void setRepeatCount(int count) { m_repeatCount = count; }
    void setRepeatDelayMs(int ms) { m_repeatDelayMs = ms; }

    // The blocking pause between paced frames; tests replace it.
    void setPause(PauseFunction pause) { m_pause = std::move(pause); }

    void SendStandardFrame(bool toggle, int address, int command);
    void Send16BitFrame(bool toggle, int address, int data);
    // RepeatCount sendings of the same frame, each followed by a pause of RepeatDelayMs.
    void SendPaced16BitFrame(bool toggle, int address, int data);

signals:
    // The outcome of a send for the status field; receivers repaint it at once.
    void statusChanged(const QString& text);

private:
    void send(const frames::FrameBytes& frame);

    THidDevice* m_device = nullptr;
    int m_repeatCount = 2;
    int m_repeatDelayMs = 0;
    PauseFunction m_pause;
};
