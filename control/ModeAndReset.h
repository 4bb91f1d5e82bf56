#pragma once

#include <QObject>

class ChannelValues;
class NormalPanel;
class TRadioGroup;
class Transmitter;

// Operating mode and reset on the "Normal" panel. The mode commands go through the
// panel's free 16-bit frame (its fields show them afterwards and its toggle alternates);
// the reset pair is sent paced.
class ModeAndReset : public QObject {
    Q_OBJECT
public:
    ModeAndReset(Transmitter& transmitter, NormalPanel& normal, ChannelValues& direct,
                 TRadioGroup& RG_Geraeteadresse, QObject* parent = nullptr);

    // Switches the module to the selected RG_Mode entry; nothing without a selection.
    void BT_Setze_ModeClick();
    void BT_Mode_SpeichernClick();
    void BB_ResetClick();

private:
    void sendControl(int data);

    Transmitter& m_transmitter;
    NormalPanel& m_normal;
    ChannelValues& m_direct;
    TRadioGroup& m_modules;
};
