// Random interaction with the whole main window: thousands of seeded random steps (clicks,
// typing, grid edits, file loads, uploads, devices coming and going, timer ticks), with the
// window's invariants checked after every step. A failure prints the seed; the environment
// variables TINTARO_MONKEY_SEED and TINTARO_MONKEY_STEPS repeat or lengthen a run.
#include "app/SequenceFileCommands.h"
#include "app/SideColumn.h"
#include "app/TForm1.h"
#include "app/VariantProfiles.h"
#include "control/KeypadPanel.h"
#include "preview/PlaybackSimulation.h"
#include "preview/PreviewArea.h"
#include "sequence/SequenceEditor.h"
#include "sequence/SequenceGridView.h"
#include "sequence/SequenceUploader.h"
#include "tests/support/FormRig.h"
#include "transmitter/HidDeviceController.h"
#include "widgets/FlatButton.h"
#include "widgets/RgbLedBar.h"
#include "widgets/SpinEdit.h"
#include "widgets/WaveScreen.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <exception>
#include <random>

namespace {

constexpr quint32 DefaultSeeds[] = {1, 2};
constexpr int DefaultSteps = 350;
constexpr int MaxNesting = 2;   // random actions inside the event pumps of an upload

quint32 envNumber(const char* name, quint32 fallback)
{
    bool ok = false;
    const quint32 value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

// Texts that stress the parsers: huge and negative numbers, hex, blanks, unicode.
const char* const NastyTexts[] = {
    "", " ", "0", "-1", "-0", "65535", "65536", "99999999999999999999", "-2147483649", "2147483647",
    "4294967296", "0x1F", "$FF", "1e9", "3.5", "1,5", "  42  ", "\t7\n", "9999:59.999", "0:00.000",
    "59:59.999", "-1:00.000", "1:60.000", "::", ".", "255", "256", "-255", "ÄÖÜß", "€", "\xF0\x9F\x98\x80",
    "1\n2\n3", "abc", "+5", "00000000000000000007",
};

class Monkey {
public:
    Monkey(FormRig& rig, quint32 seed, const QString& dir) : w(rig), m_rng(seed), m_dir(dir) {}

    FormRig& w;
    QStringList log;   // the last actions, for the failure message
    int depth = 0;

    quint32 next() { return m_rng(); }
    int below(int n) { return n <= 0 ? 0 : int(next() % quint32(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }

    QString nastyText()
    {
        if (chance(60))
            return QString::fromUtf8(NastyTexts[below(int(std::size(NastyTexts)))]);
        static const char Alphabet[] = "0123456789-:. abcxyz+";
        QString s;
        for (int i = below(12); i > 0; --i)
            s += QChar::fromLatin1(Alphabet[below(int(sizeof Alphabet) - 1)]);
        return s;
    }

    void note(const QString& action)
    {
        log << QStringLiteral("%1%2").arg(QString(depth * 2, QLatin1Char(' ')), action);
        if (log.size() > 30)
            log.removeFirst();
    }

    // Keeps the time dialog's script topped up with random answers.
    void scriptTimeDialog()
    {
        while (w.prompts.timeResults.size() < 4) {
            w.prompts.timeResults << (chance(60) ? 1 : 2);
            ClockTime t;
            switch (below(4)) {
            case 0: t = {9999, 59, 999}; break;
            case 1: t = {0, 0, 0}; break;
            case 2: t = {between(0, 20), between(0, 59), between(0, 999)}; break;
            default: t = {between(0, 9999), between(0, 59), between(0, 999)}; break;
            }
            w.prompts.timeAnswers << t;
        }
        // Messages pile up otherwise; they are not checked here.
        w.prompts.clear();
    }

    void step()
    {
        scriptTimeDialog();
        using Action = void (Monkey::*)();
        static constexpr Action Actions[] = {
            &Monkey::clickButton, &Monkey::clickButton, &Monkey::clickButton, &Monkey::setSpinValue,
            &Monkey::typeIntoSpin, &Monkey::typeIntoCell, &Monkey::typeIntoCell, &Monkey::selectCells,
            &Monkey::rotate, &Monkey::switchTab, &Monkey::switchVariant, &Monkey::moveSlider,
            &Monkey::dragOnWaveScreen, &Monkey::simulationTicks, &Monkey::upload, &Monkey::loadFile,
            &Monkey::saveFile, &Monkey::devices, &Monkey::pickComboItem,
        };
        (this->*Actions[below(int(std::size(Actions)))])();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <typename T>
    QList<T*> operable()
    {
        QList<T*> found;
        for (T* child : w.form->findChildren<T*>())
            if (child->isEnabled() && child->isVisibleTo(w.form.get()))
                found << child;
        return found;
    }

    void clickButton()
    {
        const auto buttons = operable<QAbstractButton>();
        if (buttons.isEmpty())
            return;
        QAbstractButton* b = buttons[below(int(buttons.size()))];
        note(QStringLiteral("click %1").arg(b->objectName()));
        b->click();
    }

    void setSpinValue()
    {
        const auto spins = operable<QSpinBox>();
        if (spins.isEmpty())
            return;
        QSpinBox* s = spins[below(int(spins.size()))];
        int v;
        switch (below(4)) {
        case 0: v = s->minimum() - between(1, 100000); break;
        case 1: v = s->maximum() + between(1, 100000); break;
        case 2: v = chance(50) ? INT_MIN : INT_MAX; break;
        default: v = between(s->minimum(), s->maximum()); break;
        }
        note(QStringLiteral("spin %1 := %2").arg(s->objectName()).arg(v));
        s->setValue(v);
    }

    // Key presses that carry any character, unicode and control characters included.
    void typeText(QWidget* target, const QString& text)
    {
        for (QChar c : text) {
            const int key = c.isLetterOrNumber() && c.unicode() < 128 ? c.toUpper().unicode() : 0;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            if (!m_target)
                return;
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &release);
            if (!m_target)
                return;
        }
    }

    void typeKeys(QWidget* target)
    {
        for (int i = below(8); i >= 0; --i) {
            switch (below(12)) {
            case 0: QTest::keyClick(target, Qt::Key_Backspace); break;
            case 1: QTest::keyClick(target, Qt::Key_Return); break;
            case 2: QTest::keyClick(target, Qt::Key_Escape); break;
            case 3: QTest::keyClick(target, Qt::Key_Tab); break;
            case 4: QTest::keyClick(target, chance(50) ? Qt::Key_Up : Qt::Key_Down); break;
            case 5: QTest::keyClick(target, chance(50) ? Qt::Key_Left : Qt::Key_Right); break;
            case 6:
                QGuiApplication::clipboard()->setText(nastyText());
                QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
                break;
            case 7: QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier); break;
            default: typeText(target, nastyText()); break;
            }
            // The event loop turns between keystrokes (Return commits the cell editor queued).
            QCoreApplication::sendPostedEvents();
            // A key may have closed the editor or hidden the target.
            if (!m_target)
                return;
        }
    }

    void typeIntoSpin()
    {
        const auto spins = operable<QSpinBox>();
        if (spins.isEmpty())
            return;
        QSpinBox* s = spins[below(int(spins.size()))];
        note(QStringLiteral("type into %1").arg(s->objectName()));
        m_target = s;
        s->setFocus();
        typeKeys(s);
        if (m_target)
            s->clearFocus();
    }

    SequenceGridView* grid() const { return w.form->editor->Sequenz_StringGrid; }

    void typeIntoCell()
    {
        const int col = between(1, SequenceGridModel::Columns - 1);
        const int row = between(1, w.form->maxSteps());
        note(QStringLiteral("type into cell %1,%2").arg(col).arg(row));
        if (chance(40)) {
            grid()->closeCellEditor();
            grid()->openCellEditor(col, row);
        } else {
            // As a user opens it: a double click, or a key typed on the current cell.
            QWidget* port = grid()->viewport();
            QTest::mouseClick(port, Qt::LeftButton, Qt::NoModifier, cellCentre(col, row));
            if (chance(50))
                QTest::mouseDClick(port, Qt::LeftButton, Qt::NoModifier, cellCentre(col, row));
            else
                QTest::keyClick(grid(), Qt::Key_1);
        }
        QLineEdit* editor = grid()->cellEditor();
        if (!editor)
            return;
        m_target = editor;
        typeKeys(editor);
        if (chance(50))
            grid()->closeCellEditor();
    }

    QPoint cellCentre(int col, int row) const { return grid()->cellRectInView(col, row).center(); }

    void selectCells()
    {
        QWidget* port = grid()->viewport();
        const int col = between(0, SequenceGridModel::Columns - 1);
        const int row = between(0, w.form->maxSteps());
        const Qt::KeyboardModifiers mods = chance(30) ? Qt::ShiftModifier : Qt::NoModifier;
        note(QStringLiteral("select %1,%2 mods %3").arg(col).arg(row).arg(int(mods)));
        if (chance(60)) {
            QTest::mouseClick(port, Qt::LeftButton, mods, cellCentre(col, row));
        } else {
            // A dragged range.
            QTest::mousePress(port, Qt::LeftButton, mods, cellCentre(col, row));
            const int col2 = between(0, SequenceGridModel::Columns - 1);
            const int row2 = between(0, w.form->maxSteps());
            QMouseEvent move(QEvent::MouseMove, cellCentre(col2, row2), port->mapToGlobal(cellCentre(col2, row2)),
                             Qt::NoButton, Qt::LeftButton, mods);
            QApplication::sendEvent(port, &move);
            QTest::mouseRelease(port, Qt::LeftButton, mods, cellCentre(col2, row2));
        }
        if (chance(30)) {
            static constexpr Qt::Key Moves[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
                                                Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
            QTest::keyClick(grid(), Moves[below(int(std::size(Moves)))], chance(30) ? Qt::ShiftModifier
                                                                                     : Qt::NoModifier);
        }
    }

    void rotate()
    {
        auto* e = w.form->editor;
        TFlatButton* buttons[] = {e->BT_Red_Up, e->BT_Red_Down, e->BT_Green_Up,
                                  e->BT_Green_Down, e->BT_Blue_Up, e->BT_Blue_Down};
        auto* b = buttons[below(6)];
        note(QStringLiteral("rotate %1").arg(b->objectName()));
        b->click();
    }

    void switchTab()
    {
        auto* b = w.form->tabButtons[std::size_t(below(6))];
        if (!b->isVisibleTo(w.form.get()))
            return;
        note(QStringLiteral("tab %1").arg(b->objectName()));
        b->click();
    }

    void switchVariant()
    {
        const auto variant = ModuleVariant(below(3));
        note(QStringLiteral("variant %1").arg(int(variant)));
        if (chance(50))
            w.form->variants->select(variant);
        else
            w.form->variants->button(variant)->click();
    }

    void moveSlider()
    {
        const auto sliders = operable<QAbstractSlider>();
        if (sliders.isEmpty())
            return;
        QAbstractSlider* s = sliders[below(int(sliders.size()))];
        const int v = chance(20) ? between(-100000, 100000) : between(s->minimum(), s->maximum());
        note(QStringLiteral("slider %1 := %2").arg(s->objectName()).arg(v));
        if (chance(70))
            s->setValue(v);
        else
            s->triggerAction(QAbstractSlider::SliderAction(between(1, 7)));
    }

    void dragOnWaveScreen()
    {
        TWaveScreen* screen = w.form->preview->WaveScreen1;
        static constexpr Qt::MouseButton Buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton,
                                                      Qt::NoButton};
        static constexpr Qt::KeyboardModifier Mods[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                                        Qt::AltModifier};
        const Qt::MouseButton button = Buttons[below(4)];
        const Qt::KeyboardModifiers mods = Mods[below(4)] | (chance(20) ? Qt::ShiftModifier : Qt::NoModifier);
        auto randomPoint = [&] {
            return QPoint(between(-50, screen->width() + 50), between(-50, screen->height() + 50));
        };
        note(QStringLiteral("wave drag button %1 mods %2").arg(int(button)).arg(int(mods)));
        auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton b, Qt::MouseButtons held) {
            QMouseEvent e(type, at, screen->mapToGlobal(at), b, held, mods);
            QApplication::sendEvent(screen, &e);
        };
        const QPoint start = randomPoint();
        if (button != Qt::NoButton)
            send(chance(15) ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, start, button, button);
        for (int i = below(6); i >= 0; --i)
            send(QEvent::MouseMove, randomPoint(), Qt::NoButton, button);
        if (button != Qt::NoButton)
            send(QEvent::MouseButtonRelease, randomPoint(), button, Qt::NoButton);
        if (chance(20))
            screen->MouseMove(Qt::MouseButtons(below(8)), mods, between(-100000, 100000), between(-1000, 1000));
    }

    void simulationTicks()
    {
        note(QStringLiteral("timer ticks"));
        if (chance(30))
            w.form->side->CB_Simulation->click();
        for (int i = below(20); i >= 0; --i)
            w.form->simulation->Timer2Timer();
        if (chance(30))
            w.form->keypad->Timer1Timer();
    }

    void upload()
    {
        auto* send = w.find<QAbstractButton>("BB_SequenzSenden");
        if (!send->isEnabled())
            return;
        note(QStringLiteral("upload"));
        send->click();
    }

    // A random ".rgb" file: garbage, an INI with random keys and values, or empty.
    QString randomFile()
    {
        const QString path = QStringLiteral("%1/f%2.rgb").arg(m_dir).arg(m_files++);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return path;
        switch (below(4)) {
        case 0: break;   // empty
        case 1: {
            QByteArray junk;
            for (int i = below(400); i > 0; --i)
                junk += char(below(256));
            f.write(junk);
            break;
        }
        default: {
            static const char* const Sections[] = {"[Header]", "[Sequenz]", "[header]", "[]", "[x"};
            static const char* const Keys[] = {"Modul", "Count", "Speed", "TS_End", "Repeat", "TS",
                                                "R",     "G",     "B",     "ts",     " Count ", "X"};
            QByteArray text;
            for (int i = below(60); i > 0; --i) {
                if (chance(10)) {
                    text += Sections[below(int(std::size(Sections)))];
                } else {
                    text += Keys[below(int(std::size(Keys)))];
                    if (chance(70))
                        text += QByteArray::number(between(-1, 40));
                    text += chance(90) ? "=" : "";
                    text += chance(20) ? QByteArray::number(next(), 16) : nastyText().toUtf8();
                }
                text += chance(90) ? "\n" : "\r\n";
            }
            f.write(text);
            break;
        }
        }
        return path;
    }

    void loadFile()
    {
        QString path;
        switch (below(5)) {
        case 0: path = QString(); break;                           // cancelled
        case 1: path = m_dir + QStringLiteral("/missing.rgb"); break;
        case 2: path = m_lastSaved.isEmpty() ? randomFile() : m_lastSaved; break;
        default: path = randomFile(); break;
        }
        note(QStringLiteral("load %1").arg(path));
        w.prompts.openAnswers = {path};
        if (path.isEmpty())
            w.prompts.openAnswers.clear();
        w.form->RGBSequenzladen1->trigger();
        w.prompts.openAnswers.clear();
    }

    void saveFile()
    {
        const QString path = chance(10) ? m_dir + QStringLiteral("/no/such/dir/x.rgb")
                                        : QStringLiteral("%1/saved%2.rgb").arg(m_dir).arg(below(3));
        note(QStringLiteral("save %1").arg(path));
        w.prompts.saveAnswers = {path};
        w.form->RGBSequenzspeichernunter1->trigger();
        w.prompts.saveAnswers.clear();
        m_lastSaved = path;
    }

    void devices()
    {
        static constexpr int Errnos[] = {0, EIO, EPIPE, ENODEV, ETIMEDOUT, EAGAIN, EINVAL};
        switch (below(4)) {
        case 0: {
            if (chance(50)) {
                m_plugged << w.hid.plugTransmitter(chance(50) ? QString() : QStringLiteral("S%1").arg(below(5)));
            } else {
                FakeHidBackend::Device d;
                d.info.vendorId = std::uint16_t(next());
                d.info.productId = std::uint16_t(next());
                d.product = nastyText();
                d.featureLength = between(-1, 9);
                d.stringsReadable = chance(70);
                m_plugged << w.hid.plug(d);
            }
            note(QStringLiteral("plug %1").arg(m_plugged.last()));
            break;
        }
        case 1:
            if (!m_plugged.isEmpty()) {
                const QString id = m_plugged.takeAt(below(int(m_plugged.size())));
                note(QStringLiteral("unplug %1").arg(id));
                w.hid.unplug(id);
            }
            break;
        case 2: {
            // The rig's own transmitter comes first in the fake's enumeration.
            const auto present = w.hid.enumerate();
            if (present.empty())
                break;
            const QString id = present[std::size_t(below(int(present.size())))].identity;
            const int error = Errnos[below(int(std::size(Errnos)))];
            note(QStringLiteral("fail %1 errno %2").arg(id).arg(error));
            w.hid.setFailErrno(id, error);
            break;
        }
        default: break;
        }
        note(QStringLiteral("device change"));
        if (w.form->HidCtl)
            w.form->HidCtl->DeviceChangeNotification();
    }

    void pickComboItem()
    {
        const auto lists = operable<QComboBox>();
        if (lists.isEmpty())
            return;
        QComboBox* c = lists[below(int(lists.size()))];
        const int index = between(-1, c->count());
        note(QStringLiteral("combo %1 := %2").arg(c->objectName()).arg(index));
        c->setCurrentIndex(index);
    }

    // Empty when the window is sound.
    QString brokenInvariant() const
    {
        TForm1& f = *w.form;
        int shown = 0;
        for (QWidget* panel : f.tabPanels)
            shown += panel->isVisibleTo(&f) ? 1 : 0;
        if (shown != 1)
            return QStringLiteral("%1 tab panels visible").arg(shown);
        const int count = f.editor->Count_CSpinEdit->value();
        if (count < 1 || count > f.maxSteps())
            return QStringLiteral("Count %1 outside 1..%2").arg(count).arg(f.maxSteps());
        if (f.gridModel().rowCount() != f.maxSteps() + 1)
            return QStringLiteral("%1 grid rows for %2 steps").arg(f.gridModel().rowCount()).arg(f.maxSteps());
        const int end = f.editor->TSEnd_CSpinEdit->value();
        if (end < 0 || end > 65535)
            return QStringLiteral("TSEnd %1").arg(end);
        const TRGB_LED_Balken* bar = f.preview->RGB_LED_Balken1;
        if (bar->View() > bar->Size())
            return QStringLiteral("LED bar View %1 > Size %2").arg(bar->View()).arg(bar->Size());
        return {};
    }

    QPointer<QWidget> m_target;

private:
    std::mt19937 m_rng;
    QString m_dir;
    int m_files = 0;
    QString m_lastSaved;
    QStringList m_plugged;
};

// Warnings and criticals of the run: each is a finding (an editor that could not open, a
// commit for an editor the view no longer knows). Passed on to Qt Test's own handler.
QStringList g_warnings;
QtMessageHandler g_previousHandler = nullptr;

void recordWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg || type == QtCriticalMsg)
        g_warnings << text;
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void randomInteraction_data();
    void randomInteraction();
};

void TestMonkey::randomInteraction_data()
{
    QTest::addColumn<quint32>("seed");
    if (qEnvironmentVariableIsSet("TINTARO_MONKEY_SEED")) {
        const quint32 seed = envNumber("TINTARO_MONKEY_SEED", 1);
        QTest::addRow("seed %u", seed) << seed;
        return;
    }
    for (quint32 seed : DefaultSeeds)
        QTest::addRow("seed %u", seed) << seed;
}

void TestMonkey::randomInteraction()
{
    QFETCH(quint32, seed);
    const int steps = int(envNumber("TINTARO_MONKEY_STEPS", DefaultSteps));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FormRig w({.transmitter = true, .discovery = true, .show = true});
    QCoreApplication::sendPostedEvents();   // the first enumeration
    Monkey monkey(w, seed, dir.path());
    // Random actions inside the upload's event pumps, nested to a bounded depth.
    w.onPump = [&monkey](int) {
        if (monkey.depth >= MaxNesting || !monkey.chance(5))
            return;
        ++monkey.depth;
        monkey.step();
        --monkey.depth;
    };

    g_warnings.clear();
    g_previousHandler = qInstallMessageHandler(recordWarnings);
    const auto restoreHandler = qScopeGuard([] { qInstallMessageHandler(g_previousHandler); });
    for (int i = 0; i < steps; ++i) {
        QString broken;
        try {
            monkey.step();
            broken = monkey.brokenInvariant();
            if (broken.isEmpty() && !g_warnings.isEmpty())
                broken = QStringLiteral("warning: %1").arg(g_warnings.join(QStringLiteral("; ")));
        } catch (const std::exception& e) {
            broken = QStringLiteral("exception: %1").arg(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            broken = QStringLiteral("unknown exception");
        }
        if (!broken.isEmpty()) {
            qWarning().noquote() << "last actions:\n" + monkey.log.join(QLatin1Char('\n'));
            QFAIL(qPrintable(QStringLiteral("seed %1 (TINTARO_MONKEY_SEED=%1), step %2: %3")
                                 .arg(seed)
                                 .arg(i)
                                 .arg(broken)));
        }
    }
}

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
