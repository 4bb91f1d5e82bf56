#include "app/TForm1.h"

#include "app/SequenceFileCommands.h"
#include "app/SideColumn.h"
#include "app/VariantProfiles.h"
#include "control/ChannelSliders.h"
#include "control/ChannelValues.h"
#include "control/ConfigProcedure.h"
#include "control/ConfigProcedurePanel.h"
#include "control/KeypadPanel.h"
#include "control/ModuleSelection.h"
#include "control/ModeAndReset.h"
#include "control/NormalPanel.h"
#include "preview/PlaybackSimulation.h"
#include "preview/PreviewArea.h"
#include "preview/WaveformPreview.h"
#include "sequence/SequenceChecker.h"
#include "sequence/SequenceEditor.h"
#include "sequence/SequencePanel.h"
#include "sequence/SequenceUploader.h"
#include "transmitter/HidDeviceController.h"
#include "transmitter/TransmitterDiscovery.h"
#include "widgets/FlatButton.h"
#include "widgets/Prompts.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>

#include <cstdio>
#include <cstdlib>

const QString TForm1::ApplicationTitle = QStringLiteral("Tintaro V4.1");
const QString TForm1::TitleText = TForm1::ApplicationTitle + QStringLiteral("  (c) Tintaro-Entwicklerteam");

namespace {
// Where the tab panels stand: right of the narrow column, below the tab buttons.
constexpr QRect PanelPlace(400, 28, 351, 253);
constexpr int TabTop = 4;
constexpr int PreviewTop = 314;

struct TabDef {
    const char* name;
    const char* caption;
    int tag;
};
// Left to right as they stand on the window; the Tag names the panel.
constexpr TabDef Tabs[] = {
    {"BB_Tab_Normal", "Normal", 1},   {"BB_Tab_Sequenz", "Sequenz", 2}, {"BB_Tab_OSC", "Osc. Kal.", 3},
    {"BB_Tab_Adresse", "Adresse", 4}, {"BB_Tab_MF_Pin", "MF-Pin", 6},   {"BB_Tab_Helligkeit", "Helligkeit", 5},
};
} // namespace

TForm1::TForm1(FormServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services))
{
    setObjectName(QStringLiteral("Form1"));
    if (!m_services.processEvents)
        m_services.processEvents = [] { QCoreApplication::processEvents(); };
    if (!m_services.exitProcess)
        m_services.exitProcess = [](int code) {
            std::fflush(nullptr);
            std::_Exit(code);
        };
    if (m_services.pause)
        m_transmitter.setPause(m_services.pause);

    setFont(programFont());
    setMinimumSize(DesignWidth, DesignHeight);
    resize(DesignWidth, DesignHeight);

    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(m_central);

    keypad = new KeypadPanel(m_transmitter, m_central);
    keypad->move(0, 0);
    sliders = new ChannelSliders(m_central);
    sliders->move(198, 0);

    QStringList modules;
    for (int i = 0; i <= 6; ++i)
        modules << QString::number(i);
    modules << QStringLiteral("alle");
    RG_Geraeteadresse = new TRadioGroup(QStringLiteral("RGB-Modul Adresse:"), modules, 4, m_central);
    RG_Geraeteadresse->setObjectName(QStringLiteral("RG_Geraeteadresse"));
    RG_Geraeteadresse->setGeometry(8, 258, 300, 52);
    RG_Geraeteadresse->setItemIndex(7);

    side = new SideColumn(m_central);
    side->move(304, 0);

    // Design time: the panels stand apart; start-up moves them onto PA_Normal's place.
    normal = new NormalPanel(m_central);
    normal->setGeometry(PanelPlace);
    sequence = new SequencePanel(m_central);
    for (int i = 0; i < 4; ++i)
        procedures[i] = new ConfigProcedurePanel(configPanelDefs()[i], m_central);
    tabPanels = {normal, sequence, procedures[0], procedures[1], procedures[2], procedures[3]};
    for (int i = 1; i < 6; ++i)
        tabPanels[i]->setGeometry(PanelPlace.translated(0, PanelPlace.height() + 20 * i));
    buildTabs();

    editor = new SequenceEditor(m_gridModel, m_central);
    editor->setPrompts(m_services.prompts);
    editor->runCheck = [this] { BB_SequenzPruefenClick(); };
    preview = new PreviewArea(m_central);

    buildMenu();
    createHidController();

    // The pacing values follow their spin edits.
    connect(sequence->CSE_Repeat, &QSpinBox::valueChanged, this,
            [this](int v) { m_transmitter.setRepeatCount(v); });
    connect(sequence->CSE_Delay, &QSpinBox::valueChanged, this,
            [this](int v) { m_transmitter.setRepeatDelayMs(v); });

    wireDirectControl();
    wireSequence();
    wirePreview();
    variants = new VariantSwitch(*this);
    sequenceFile = new SequenceFileCommands(*this, *m_services.prompts);
    FormCreate();
}

// The areas, their handlers and the HID objects refer to the transmitter, the table and
// the grid model. Those are members and would die before the children that QObject
// deletes afterwards, so the children that use them go first.
TForm1::~TForm1()
{
    delete discovery;
    delete HidCtl;
    delete centralWidget();
    QObject* handlers[] = {channelValues, modeAndReset, checker, uploader, waveform, simulation, variants, sequenceFile};
    for (QObject* handler : handlers)
        delete handler;
    for (ConfigProcedure* procedure : procedureControls)
        delete procedure;
}

// Sliders, free frame, mode and reset, and the configuration procedures (each driven
// by its row of the command table) act on controls of several areas.
void TForm1::wireDirectControl()
{
    ChannelValues::Controls controls{sliders,
                                     normal,
                                     {sequence->percent(0), sequence->percent(1), sequence->percent(2)},
                                     side->Senden_CheckBox,
                                     side->RGB_LED,
                                     RG_Geraeteadresse};
    channelValues = new ChannelValues(m_transmitter, controls, this);
    modeAndReset = new ModeAndReset(m_transmitter, *normal, *channelValues, *RG_Geraeteadresse, this);
    for (std::size_t i = 0; i < procedures.size(); ++i)
        procedureControls[i] = new ConfigProcedure(protocol::procedures()[i], *procedures[i], m_transmitter,
                                                   *RG_Geraeteadresse, *side->CB_Simulation, this);
}

// The check reads the grid and writes the table and the hidden header values; the upload
// reads the table and the header values. Both ask for MaxSteps when they run.
void TForm1::wireSequence()
{
    checker = new SequenceChecker(
        m_gridModel, m_table, *m_services.prompts,
        {sequence->BB_SequenzPruefen, editor->Count_CSpinEdit, editor->TSEnd_CSpinEdit, editor->Speed_CSpinEdit},
        [this] { return maxSteps(); }, this);
    connect(sequence->BB_SequenzPruefen, &QPushButton::clicked, this, &TForm1::BB_SequenzPruefenClick);

    SequenceUploader::Controls controls{sequence,
                                        editor->Count_CSpinEdit,
                                        editor->Speed_CSpinEdit,
                                        editor->TSEnd_CSpinEdit,
                                        editor->CSE_PlayMode,
                                        side->CB_Simulation};
    SequenceUploader::Services services{[this] { return moduleIndex(); }, [this] { return maxSteps(); },
                                        m_services.processEvents};
    uploader = new SequenceUploader(m_transmitter, m_table, controls, services, this);
}

void TForm1::wirePreview()
{
    WaveformPreview::Controls controls{preview,
                                       side->CSpinEdit1,
                                       side->CursorPos_Edit,
                                       {sliders->ScrollBar_Red, sliders->ScrollBar_Green, sliders->ScrollBar_Blue},
                                       normal->CB_MarkerEnabled};
    waveform = new WaveformPreview(m_table, m_gridModel, controls, this);
    connect(checker, &SequenceChecker::previewRequested, waveform, &WaveformPreview::RebuildPreview);
    editor->ShowStepMarker = [this](int column, int row) { waveform->ShowStepMarker(column, row); };

    PlaybackSimulation::Controls simulationControls{side->CB_Simulation,
                                                    side->CSpinEdit2,
                                                    {sequence->Red_Pro_CSpinEdit, sequence->Green_Pro_CSpinEdit,
                                                     sequence->Blue_Pro_CSpinEdit},
                                                    preview->TrackBar1};
    simulation = new PlaybackSimulation(waveform->playback(), simulationControls, this);
}

int TForm1::moduleIndex() const
{
    return moduleIndexOf(*RG_Geraeteadresse);
}

void TForm1::buildMenu()
{
    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("Datei1"));
    RGBSequenzladen1 = datei->addAction(QStringLiteral("RGB-Sequenz laden"));
    RGBSequenzladen1->setObjectName(QStringLiteral("RGBSequenzladen1"));
    RGBSequenzspeichernunter1 = datei->addAction(QStringLiteral("RGB-Sequenz speichern unter ..."));
    RGBSequenzspeichernunter1->setObjectName(QStringLiteral("RGBSequenzspeichernunter1"));
    datei->addSeparator();
    Beenden1 = datei->addAction(QStringLiteral("B&eenden"));
    Beenden1->setObjectName(QStringLiteral("Beenden1"));
    connect(Beenden1, &QAction::triggered, this, &TForm1::Beenden1Click);

    Hilfe1 = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    Hilfe1->setObjectName(QStringLiteral("Hilfe1"));
    Hilfe1->menuAction()->setEnabled(false);
}

void TForm1::buildTabs()
{
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < 6; ++i) {
        auto* b = new TFlatSpeedButton(QString::fromUtf8(Tabs[i].caption), m_central);
        b->setObjectName(QString::fromLatin1(Tabs[i].name));
        b->Tag = Tabs[i].tag;
        b->setGeometry(PanelPlace.left() + i * 58, TabTop, 57, 22);
        group->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, b] { BB_Tab_NormalClick(b); });
        tabButtons[i] = b;
    }
    tabButtons[0]->setChecked(true);
    for (int i = 1; i < 6; ++i)
        tabPanels[i]->hide();
}

void TForm1::BB_Tab_NormalClick(TFlatSpeedButton* sender)
{
    for (QWidget* panel : tabPanels)
        panel->hide();
    if (sender->Tag >= 1 && sender->Tag <= 6)
        tabPanels[sender->Tag - 1]->show();
}

void TForm1::createHidController()
{
    if (!m_services.hid)
        return;
    HidCtl = new THidDeviceController(*m_services.hid, this);
    HidCtl->setObjectName(QStringLiteral("HidCtl"));
    discovery = new TransmitterDiscovery(*HidCtl, m_transmitter, this);
    connect(discovery, &TransmitterDiscovery::labelChanged, keypad->Geraet_Label, &QLabel::setText);
    if (m_services.deviceWatcher)
        connect(m_services.deviceWatcher, SIGNAL(devicesChanged()), HidCtl, SLOT(DeviceChangeNotification()));
}

void TForm1::Beenden1Click()
{
    m_services.exitProcess(0);
}

// The window's creation handler: the start-up steps in their order.
void TForm1::FormCreate()
{
    showFileInCaption(QString());

    sequence->CSE_Delay->setValue(m_transmitter.repeatDelayMs());
    sequence->CSE_Repeat->setValue(m_transmitter.repeatCount());

    procedures[protocol::ProcedurePin]->valueList->setCurrentIndex(0);
    sequence->CB_SequenzProgNummer->setCurrentIndex(0);
    sequence->CB_SequenzFolgeProgNummer->setCurrentIndex(0);

    editor->Count_CSpinEdit->setMaximum(maxSteps());

    for (QWidget* panel : tabPanels)
        panel->setGeometry(normal->geometry());

    // The grid shows MaxSteps + 1 rows from the start; fill them from the table.
    m_gridModel.fillFromTable(m_table, maxSteps());

    RG_ZeitClick();
    BB_SequenzPruefenClick();
    Speed_CSpinEditChange();
}

QFont TForm1::programFont()
{
    QFont arial(QStringLiteral("Arial"), 8);
    arial.setStyleHint(QFont::SansSerif);
    return arial;
}

void TForm1::showFileInCaption(const QString& fileName)
{
    setWindowTitle(TitleText + QStringLiteral("   [") + fileName + QStringLiteral("]"));
}

void TForm1::RG_ZeitClick()
{
    editor->RG_ZeitClick();
}

void TForm1::BB_SequenzPruefenClick()
{
    checker->BB_SequenzPruefenClick();
}

void TForm1::Speed_CSpinEditChange()
{
    editor->Speed_CSpinEditChange();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    const int w = m_central->width();
    const int h = m_central->height();
    // The right column is anchored to the right edge; the grid grows downwards.
    editor->setGeometry(w - (DesignWidth - SequenceEditor::DesignLeft), 0,
                        DesignWidth - SequenceEditor::DesignLeft, h);
    // The scope area is anchored on all four sides.
    // At the design size the panel is 735 px wide: a 733 px wave screen inside its frame.
    preview->setGeometry(8, PreviewTop, qMax(100, w - (DesignWidth - 735)), qMax(120, h - PreviewTop - 8));
}
