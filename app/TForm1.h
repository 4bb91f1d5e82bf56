#pragma once

#include "sequence/SequenceGridModel.h"
#include "sequence/SequenceTable.h"
#include "transmitter/Transmitter.h"

#include <QMainWindow>

#include <array>
#include <functional>

class ChannelSliders;
class ChannelValues;
class ConfigProcedure;
class ConfigProcedurePanel;
class HidBackend;
class KeypadPanel;
class ModeAndReset;
class NormalPanel;
class PlaybackSimulation;
class PreviewArea;
class Prompts;
class QAction;
class QMenu;
class SequenceChecker;
class SequenceEditor;
class SequenceFileCommands;
class SequencePanel;
class SequenceUploader;
class SideColumn;
class THidDeviceController;
class TransmitterDiscovery;
class TFlatSpeedButton;
class TRadioGroup;
class VariantSwitch;
class WaveformPreview;

// What the main window needs from outside; tests pass fakes.
struct FormServices {
    Prompts* prompts = nullptr;                 // required
    HidBackend* hid = nullptr;                  // null: no HID layer, no devices, no events
    QObject* deviceWatcher = nullptr;           // emits devicesChanged() on hot-plug
    std::function<void(int)> pause;             // blocking pause of paced sends (default: sleep)
    std::function<void()> processEvents;        // event pumping of the upload (default: Qt's)
    std::function<void(int)> exitProcess;       // "Beenden" (default: end the process at once)
};

// The main window: builds every area, places the tab panels and wires the areas
// together. The behaviour lives in the areas' own classes.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static const QString ApplicationTitle;   // "Tintaro V4.1"
    static const QString TitleText;          // the application title and the maker notice
    static constexpr int DesignWidth = 1076;
    static constexpr int DesignHeight = 777;

    explicit TForm1(FormServices services, QWidget* parent = nullptr);
    ~TForm1() override;

    Transmitter& transmitter() { return m_transmitter; }
    SequenceTable& sequenceTable() { return m_table; }
    SequenceGridModel& gridModel() { return m_gridModel; }
    // MaxSteps is the grid's step row count: one value, so the two cannot drift apart.
    int maxSteps() const { return m_gridModel.visibleSteps(); }
    // Written only by the module variant switch.
    void setMaxSteps(int steps) { m_gridModel.setVisibleSteps(steps); }
    // ModuleIndex: the selected item of "RGB-Modul Adresse:", low 8 bits.
    int moduleIndex() const;

    // Areas (each owns its controls; controls carry their names as objectName).
    KeypadPanel* keypad;
    ChannelSliders* sliders;
    TRadioGroup* RG_Geraeteadresse;
    SideColumn* side;
    NormalPanel* normal;
    SequencePanel* sequence;
    std::array<ConfigProcedurePanel*, 4> procedures;   // PA_OSC, PA_Adresse, PA_Helligkeit, PA_MF_Pin
    // Direct control: sliders and free frame, mode and reset, the four procedures (by panel).
    ChannelValues* channelValues = nullptr;
    ModeAndReset* modeAndReset = nullptr;
    std::array<ConfigProcedure*, 4> procedureControls{};
    SequenceEditor* editor;
    PreviewArea* preview;
    // Check and accept (step 1) and the upload with its commit buttons (steps 2 and 3).
    SequenceChecker* checker = nullptr;
    SequenceUploader* uploader = nullptr;
    // The waveform preview with its cursor road, and the playback simulation (Timer2).
    WaveformPreview* waveform = nullptr;
    PlaybackSimulation* simulation = nullptr;
    std::array<TFlatSpeedButton*, 6> tabButtons;        // in their order on the window
    std::array<QWidget*, 6> tabPanels;                  // by Tag 1..6
    THidDeviceController* HidCtl = nullptr;             // null without a HID layer
    TransmitterDiscovery* discovery = nullptr;
    // The module variant radio buttons (RB_ATtiny85Click) and the ".rgb" file commands.
    VariantSwitch* variants = nullptr;
    SequenceFileCommands* sequenceFile = nullptr;
    QAction* RGBSequenzladen1;
    QAction* RGBSequenzspeichernunter1;
    QAction* Beenden1;
    QMenu* Hilfe1;

    // Arial 8 pt (a metric-compatible face where Arial is missing).
    static QFont programFont();
    // The caption: the title text and, in brackets, the sequence file's name without its folder.
    void showFileInCaption(const QString& fileName);

    // Shows the panel that belongs to the button's Tag; other Tags hide all six.
    void BB_Tab_NormalClick(TFlatSpeedButton* sender);
    void Beenden1Click();
    // The sequence editor's handlers that start-up and loading a file run.
    void RG_ZeitClick();
    void BB_SequenzPruefenClick();
    void Speed_CSpinEditChange();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenu();
    void buildTabs();
    // The HID controller and the transmitter discovery; the first enumeration runs
    // once the event loop turns.
    void createHidController();
    void wireDirectControl();
    void wireSequence();
    // The check rebuilds the preview; a selected grid cell moves its marker.
    void wirePreview();
    void FormCreate();

    FormServices m_services;
    Transmitter m_transmitter;
    SequenceTable m_table;
    SequenceGridModel m_gridModel;
    QWidget* m_central;
};
