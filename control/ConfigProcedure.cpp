#include "control/ConfigProcedure.h"

#include "control/ConfigProcedurePanel.h"
#include "control/ModuleSelection.h"
#include "transmitter/Frames.h"
#include "transmitter/Transmitter.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QComboBox>

using protocol::ProcedureButton;

namespace {
constexpr ProcedureButton Buttons[] = {ProcedureButton::Step1,       ProcedureButton::Transfer,
                                       ProcedureButton::FrequencyUp, ProcedureButton::FrequencyDown,
                                       ProcedureButton::Store,       ProcedureButton::Cancel};
} // namespace

ConfigProcedure::ConfigProcedure(const protocol::ProcedureCommands& commands, ConfigProcedurePanel& panel,
                                 Transmitter& transmitter, TRadioGroup& RG_Geraeteadresse,
                                 QCheckBox& CB_Simulation, QObject* parent)
    : QObject(parent), m_commands(commands), m_panel(panel), m_transmitter(transmitter), m_modules(RG_Geraeteadresse),
      m_simulation(CB_Simulation)
{
    for (ProcedureButton which : Buttons)
        if (TFlatButton* b = button(which))
            connect(b, &QPushButton::clicked, this, [this, which] { click(which); });
}

TFlatButton* ConfigProcedure::button(ProcedureButton which) const
{
    switch (which) {
    case ProcedureButton::Step1: return m_panel.step1Button;
    case ProcedureButton::Transfer: return m_panel.transferButton;
    case ProcedureButton::FrequencyUp: return m_panel.frequencyUp;
    case ProcedureButton::FrequencyDown: return m_panel.frequencyDown;
    case ProcedureButton::Store: return m_panel.storeButton;
    case ProcedureButton::Cancel: break;
    }
    return m_panel.cancelButton;
}

int ConfigProcedure::value() const
{
    if (m_panel.valueSpin)
        return m_panel.valueSpin->value();
    // A text typed over the entry no longer names it: that counts as no selection.
    const QComboBox& list = *m_panel.valueList;
    const int index = list.currentIndex();
    return index >= 0 && list.currentText() == list.itemText(index) ? index : -1;
}

void ConfigProcedure::click(ProcedureButton which)
{
    const int module = moduleIndexOf(m_modules);
    switch (which) {
    case ProcedureButton::Step1:
        // Entering a mode stops a running playback simulation, whose frames would interfere.
        m_simulation.setChecked(false);
        m_panel.step1Button->setEnabled(false);
        send(which, module, 0);
        for (TFlatButton* b : m_panel.modeButtons())
            b->setEnabled(true);
        break;
    case ProcedureButton::Transfer:
    case ProcedureButton::FrequencyUp:
    case ProcedureButton::FrequencyDown: {
        const int v = value();
        send(which, module, v);
        // The module answers under its new address from now on; so does every later frame.
        if (which == ProcedureButton::Transfer && m_commands.selectsAddress)
            m_modules.setItemIndex(v);
        break;
    }
    case ProcedureButton::Store:
    case ProcedureButton::Cancel:
        for (TFlatButton* b : m_panel.modeButtons())
            b->setEnabled(false);
        send(which, module, 0);
        m_panel.step1Button->setEnabled(true);
        break;
    }
}

void ConfigProcedure::send(ProcedureButton which, int module, int value)
{
    for (const ChannelFrame& f : protocol::procedureFrames(m_commands, which, value))
        m_transmitter.SendPaced16BitFrame(f.toggle, frames::channelAddress(module, f.channel), f.data);
}
