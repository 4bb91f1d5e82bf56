#pragma once

#include <QObject>

#include <array>

class ChannelSliders;
class NormalPanel;
class QCheckBox;
class TCSpinEdit;
class TRadioGroup;
class TRGB_LED;
class Transmitter;

// The three channel sliders and the direct 16-bit sends of the "Normal" panel.
// A slider's channel value is 255 - position; what goes out is scaled by the channel's
// percentage. The controls belong to their areas; this class only reads and writes them.
class ChannelValues : public QObject {
    Q_OBJECT
public:
    struct Controls {
        ChannelSliders* sliders;
        NormalPanel* normal;                      // value fields, toggle, free frame fields
        std::array<TCSpinEdit*, 3> percentages;   // Red_Pro_CSpinEdit, Green_..., Blue_...
        QCheckBox* Senden_CheckBox;
        TRGB_LED* RGB_LED;
        TRadioGroup* RG_Geraeteadresse;
    };

    ChannelValues(Transmitter& transmitter, const Controls& controls, QObject* parent = nullptr);

    // (255 - position) * percent / 100, truncated.
    static int sentValue(int position, int percent);
    // The unscaled value of a channel (0 red, 1 green, 2 blue) and what its frame carries.
    int channelValue(int channel) const;
    int sentValue(int channel) const;

    // Run on every position change, by the user or by code.
    void ScrollBar_RedChange() { channelChange(0); }
    void ScrollBar_GreenChange() { channelChange(1); }
    void ScrollBar_BlueChange() { channelChange(2); }
    void channelChange(int channel);

    // "Sende RGB-Werte": three frames with one toggle, then one inversion.
    void BB_RC5_extendedClick();
    // "Send RC5 (16Bit-Mode)": channel E_ADR of the selected module, data E_DAT.
    void BT_RC5_16B_sendenClick();

private:
    void invertToggle();
    void showColour();

    Transmitter& m_transmitter;
    Controls m_c;
};
