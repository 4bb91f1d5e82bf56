#include "control/ModeAndReset.h"

#include "control/ChannelValues.h"
#include "control/ModuleSelection.h"
#include "control/NormalPanel.h"
#include "protocol/ModeCommands.h"
#include "transmitter/Frames.h"
#include "transmitter/Transmitter.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

ModeAndReset::ModeAndReset(Transmitter& transmitter, NormalPanel& normal, ChannelValues& direct,
                           TRadioGroup& RG_Geraeteadresse, QObject* parent)
    : QObject(parent), m_transmitter(transmitter), m_normal(normal), m_direct(direct), m_modules(RG_Geraeteadresse)
{
    connect(m_normal.BT_Setze_Mode, &QPushButton::clicked, this, &ModeAndReset::BT_Setze_ModeClick);
    connect(m_normal.BT_Mode_Speichern, &QPushButton::clicked, this, &ModeAndReset::BT_Mode_SpeichernClick);
    connect(m_normal.BB_Reset, &QPushButton::clicked, this, &ModeAndReset::BB_ResetClick);
}

void ModeAndReset::BT_Setze_ModeClick()
{
    const int mode = m_normal.RG_Mode->ItemIndex();
    if (mode < 0)
        return;
    sendControl(protocol::setModeData(mode));
}

void ModeAndReset::BT_Mode_SpeichernClick()
{
    sendControl(protocol::StoreModeData);
}

// Fills the free frame's fields and sends it as "Send RC5 (16Bit-Mode)" does.
void ModeAndReset::sendControl(int data)
{
    m_normal.E_ADR_CSpinEdit->setValue(ChannelControl);
    m_normal.E_DAT_CSpinEdit->setValue(data);
    m_direct.BT_RC5_16B_sendenClick();
}

void ModeAndReset::BB_ResetClick()
{
    const int module = moduleIndexOf(m_modules);
    for (const ChannelFrame& f : protocol::resetFrames())
        m_transmitter.SendPaced16BitFrame(f.toggle, frames::channelAddress(module, f.channel), f.data);
}
