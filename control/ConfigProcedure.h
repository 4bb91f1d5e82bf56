#pragma once

#include "protocol/ConfigProcedures.h"

#include <QObject>

class ConfigProcedurePanel;
class QCheckBox;
class TFlatButton;
class TRadioGroup;
class Transmitter;

// The behaviour of one guided configuration procedure, the same for all four: the
// procedure's row of the command table says which frames each button sends. The only
// state is the enabling of the panel's buttons (idle: step 1; in mode: steps 2 and 3).
class ConfigProcedure : public QObject {
    Q_OBJECT
public:
    ConfigProcedure(const protocol::ProcedureCommands& commands, ConfigProcedurePanel& panel, Transmitter& transmitter,
                    TRadioGroup& RG_Geraeteadresse, QCheckBox& CB_Simulation, QObject* parent = nullptr);

    const protocol::ProcedureCommands& commands() const { return m_commands; }
    ConfigProcedurePanel& panel() const { return m_panel; }
    // The panel's button for a role; null for the frequency buttons of panels without them.
    TFlatButton* button(protocol::ProcedureButton which) const;

    // The step-2 control as the transfer reads it: the spin edit's value, or the
    // position of the selected list entry (-1 when none is selected).
    int value() const;

    // The handler of every button of the panel.
    void click(protocol::ProcedureButton which);

private:
    void send(protocol::ProcedureButton which, int module, int value);

    const protocol::ProcedureCommands& m_commands;
    ConfigProcedurePanel& m_panel;
    Transmitter& m_transmitter;
    TRadioGroup& m_modules;
    QCheckBox& m_simulation;
};
