#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class TCSpinEdit;
class TFlatButton;

// What a configuration panel shows: its three numbered steps and their controls.
struct ConfigPanelDef {
    struct Button {
        const char* name;
        const char* caption;
    };
    const char* panelName;
    Button step1;
    // The value of step 2: a spin edit (min..max, start, optional unit) or, with
    // isList, the drop-down list of pin functions.
    const char* valueName;
    const char* valueLabel;
    bool isList;
    int minimum, maximum, start;
    const char* unit;
    Button transfer;
    // The oscillator procedure's two frequency buttons (no caption, a label beside).
    bool frequencyButtons;
    Button store;
    Button cancel;
};

// The four panels: oscillator calibration, address, brightness, multi-function pin.
const QList<ConfigPanelDef>& configPanelDefs();

// One guided configuration procedure in three numbered steps.
class ConfigProcedurePanel : public QWidget {
    Q_OBJECT
public:
    ConfigProcedurePanel(const ConfigPanelDef& def, QWidget* parent = nullptr);

    const ConfigPanelDef& def() const { return m_def; }

    TFlatButton* step1Button;
    TCSpinEdit* valueSpin = nullptr;   // null for the list
    QComboBox* valueList = nullptr;    // CB_MF_Pin
    TFlatButton* transferButton;
    TFlatButton* frequencyUp = nullptr;
    TFlatButton* frequencyDown = nullptr;
    TFlatButton* storeButton;
    TFlatButton* cancelButton;

    // The buttons of steps 2 and 3, disabled while the procedure is idle.
    QList<TFlatButton*> modeButtons() const;

private:
    const ConfigPanelDef& m_def;
};
