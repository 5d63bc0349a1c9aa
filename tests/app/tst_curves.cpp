#include <filesystem>
#include <fstream>
#include <iterator>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "CTarnekChangeLevelDlg.h"
#include "CellMarking.h"
#include "CurveChart.h"
#include "CurvePoints.h"
#include "Descriptors.h"
#include "FolderDialog.h"
#include "GridOperations.h"
#include "MainWindowCurves.h"
#include "PluginFolderChoice.h"
#include "TextReadings.h"
#include "UserMessageBox.h"
#include "tarnekBaseListCtrl.h"
#include "tarnekEditCtrl.h"
#include "vloxBuildTarnekStruct.h"

namespace fs = std::filesystem;

namespace {

struct QuietSink final : MessageSink {
    void Show(const Message&) override {}
};

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A scratch folder made the current directory for one test; with tarnek/ it is a plugin tree.
class ScratchFolder final {
public:
    explicit ScratchFolder(bool pluginTree) : previous_(QDir::currentPath())
    {
        if (pluginTree)
            QDir(dir_.path()).mkdir(QStringLiteral("tarnek"));
        QDir::setCurrent(dir_.path());
    }
    ~ScratchFolder() { QDir::setCurrent(previous_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    QString path() const { return QDir(dir_.path()).canonicalPath(); }
    fs::path fsPath() const { return fs::path(path().toStdString()); }

    tarnekArrayStruct Stored() const
    {
        QuietSink sink;
        vloxBuildTarnekStruct db(sink);
        tarnekArrayStruct model;
        if (db.OpenDatabase())
            db.LoadAll(model);
        db.CloseDatabase();
        return model;
    }

private:
    QTemporaryDir dir_;
    QString previous_;
};

QList<QPointF> Plotted(const CurveChart& chart, int curve)
{
    QList<QPointF> points;
    for (const QLineSeries* series : chart.curveSeries(curve))
        points.append(series->points());
    return points;
}

QList<QPointF> Expected(const ValueList& list)
{
    QList<QPointF> points;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (ReadPlottedNumber(list.at(i)))
            points.append(QPointF(static_cast<double>(i), ReadDecimal(list.at(i))));
    }
    return points;
}

const ValueList& XpList(const tarnekArrayStruct& model, int code)
{
    return model.*ValueLists()[static_cast<std::size_t>(code)].list;
}

// Double click, type, Enter: the way a text reaches a cell.
void CommitCell(tarnekBaseListCtrl* grid, int column, const QString& text)
{
    const QPoint cell = grid->visualRect(grid->model()->index(0, column)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    auto* editor = qobject_cast<tarnekEditCtrl*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    editor->selectAll();
    editor->del();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(editor, Qt::Key_Return);
}

bool Tinted(const QTableWidgetItem* cell, const QColor& tint)
{
    return cell->data(Qt::BackgroundRole).value<QBrush>().color() == tint;
}

} // namespace

class TestCurves final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QSettings().clear();
        UserMessageBox::SetUnattended(true);
    }
    void cleanup()
    {
        UserMessageBox::TakeShown();
        UserMessageBox::SetUnattended(false);
    }

    void chartFollowsTheXpGrids()
    {
        ScratchFolder folder(true);
        CTarnekChangeLevelDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        CurveChart* chart = MainWindowChart(dialog);
        QVERIFY(chart != nullptr);
        QCOMPARE(chart->curveCount(), 4);
        for (int code = 0; code < 4; ++code)
            QCOMPARE(Plotted(*chart, code), Expected(XpList(dialog.model(), code)));

        // An XP fill with another multiplier.
        const ValueList before = dialog.model().xpLevelSaved;
        dialog.parameterBox(2)->setText(QStringLiteral("3"));
        QTest::mouseClick(dialog.fillButton(1), Qt::LeftButton);
        QVERIFY(dialog.model().xpLevelSaved != before);
        QTRY_COMPARE(Plotted(*chart, 1), Expected(dialog.model().xpLevelSaved));

        // Committed cells: a number moves its point, a typo makes a gap.
        CommitCell(dialog.grid(0), 3, QStringLiteral("1234"));
        CommitCell(dialog.grid(0), 5, QStringLiteral("1O"));
        QTRY_COMPARE(chart->curveSeries(0).size(), 2);
        QCOMPARE(Plotted(*chart, 0), Expected(GridRow(dialog.grid(0))));
        QVERIFY(Plotted(*chart, 0).contains(QPointF(3, 1234)));

        // The level-count change: 14 levels in every curve, no gap left.
        dialog.levelCombo()->setCurrentText(QStringLiteral("13"));
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);
        QTest::mouseClick(dialog.createLevelsButton(), Qt::LeftButton);
        QTRY_COMPARE(chart->curveTexts(0).size(), 14);
        for (int code = 0; code < 4; ++code) {
            QCOMPARE(Plotted(*chart, code), Expected(XpList(dialog.model(), code)));
            QCOMPARE(Plotted(*chart, code).size(), 14);
        }
    }

    void marksReachNeitherTheDatabaseNorTheFiles()
    {
        ScratchFolder folder(true);
        {
            CTarnekChangeLevelDlg dialog;
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QVERIFY(MainWindowStatusLine(dialog)->text().isEmpty());
            CommitCell(dialog.grid(2), 4, QStringLiteral("0,5"));
            const QTableWidgetItem* cell = dialog.grid(2)->item(0, 4);
            QVERIFY(Tinted(cell, kRejectedTextTint));
            QVERIFY(cell->toolTip().contains(QStringLiteral("Запятая")));

            QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
            QVERIFY2(MainWindowStatusLine(dialog)->text().contains(QStringLiteral(": 1.")),
                     qPrintable(MainWindowStatusLine(dialog)->text()));
            QCOMPARE(folder.Stored().xpGivenShortTerm.at(4), std::string("0,5"));
            const std::string header = ReadBytes(folder.fsPath() / "tarnek" / "base.h");
            QVERIFY(header.find("0,5") != std::string::npos);

            // Put right, the next compile notes nothing.
            CommitCell(dialog.grid(2), 4, QStringLiteral("30"));
            QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
            QVERIFY(MainWindowStatusLine(dialog)->text().isEmpty());
            CommitCell(dialog.grid(2), 4, QStringLiteral("0,5"));
            QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
        }
        // Opened again, the stored text is marked straight away.
        CTarnekChangeLevelDlg again;
        QCOMPARE(again.grid(2)->item(0, 4)->text(), QStringLiteral("0,5"));
        QVERIFY(Tinted(again.grid(2)->item(0, 4), kRejectedTextTint));
        QVERIFY(again.grid(2)->item(0, 3)->toolTip().isEmpty());
    }

    void fillWithAnotherLevelCountMarksTheOtherLists()
    {
        ScratchFolder folder(true);
        CTarnekChangeLevelDlg dialog;
        dialog.levelCombo()->setCurrentText(QStringLiteral("13"));
        QTest::mouseClick(dialog.fillButton(0), Qt::LeftButton);
        QCOMPARE(dialog.grid(0)->columnCount(), 14);
        QVERIFY(dialog.grid(0)->item(0, 0)->toolTip().isEmpty());
        for (int code = 1; code < 4; ++code) {
            const QTableWidgetItem* cell = dialog.grid(code)->item(0, 0);
            QVERIFY(Tinted(cell, kWrongLengthTint));
            QVERIFY(cell->toolTip().contains(QStringLiteral("нулями")));
        }
        QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
        // Three XP lists and all 27 skill lists were made for 10 levels.
        QVERIFY2(MainWindowStatusLine(dialog)->text().contains(QStringLiteral(": 30.")),
                 qPrintable(MainWindowStatusLine(dialog)->text()));
    }

    void chartCanBeHiddenAndStaysSo()
    {
        ScratchFolder folder(true);
        {
            CTarnekChangeLevelDlg dialog;
            dialog.show();
            QVERIFY(MainWindowChart(dialog)->isVisible());
            QVERIFY(MainWindowChartSwitch(dialog)->isChecked());
            MainWindowChartSwitch(dialog)->click();
            QVERIFY(!MainWindowChart(dialog)->isVisible());
        }
        CTarnekChangeLevelDlg again;
        again.show();
        QVERIFY(!MainWindowChart(again)->isVisible());
        QVERIFY(!MainWindowChartSwitch(again)->isChecked());
        QVERIFY(MainWindowForm(again)->isVisible());
    }

    void fitsA1280x800Screen()
    {
        ScratchFolder folder(true);
        CTarnekChangeLevelDlg dialog;
        FitMainWindow(dialog, QRect(0, 0, 1280, 800));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.width() <= 1280);
        QVERIFY(dialog.height() <= 800);
        // The whole form is in view from top to bottom, the chart has room under it.
        QVERIFY(MainWindowFormArea(dialog)->viewport()->height() >= MainWindowForm(dialog)->height());
        QVERIFY(MainWindowChart(dialog)->height() >= 200);
        QVERIFY(dialog.compileButton()->isVisible());
    }

    void startedInsideAPluginTreeAsksNothing()
    {
        ScratchFolder plugin(true);
        const int asked = folderDialog()->asked();
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::AlreadyThere);
        QCOMPARE(folderDialog()->asked(), asked);
        QCOMPARE(QDir::current().canonicalPath(), plugin.path());
        QVERIFY(!QSettings().contains(kPluginFolderKey));
    }

    void startedElsewhereAsksOnceAndRemembers()
    {
        ScratchFolder plugin(true);
        ScratchFolder notPlugin(false);
        ScratchFolder home(false);
        const int asked = folderDialog()->asked();

        // A folder without tarnek/ is explained, and the question comes again.
        folderDialog()->setNextDirectory(notPlugin.path());
        folderDialog()->setNextDirectory(plugin.path());
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::Chosen);
        QCOMPARE(folderDialog()->asked(), asked + 2);
        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QDir::toNativeSeparators(notPlugin.path())));
        QCOMPARE(QDir::current().canonicalPath(), plugin.path());

        // ...and the editor then works there exactly as if started there.
        {
            CTarnekChangeLevelDlg dialog;
            QVERIFY(dialog.initialised());
            QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
        }
        QVERIFY(fs::exists(plugin.fsPath() / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.mdb"));
        QVERIFY(fs::exists(plugin.fsPath() / "tarnek" / "base.h"));
        QVERIFY(!fs::exists(home.fsPath() / "TarnekChangeLevelDatabase"));

        // The next start from the home folder goes straight there.
        QDir::setCurrent(home.path());
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::Remembered);
        QCOMPARE(folderDialog()->asked(), asked + 2);
        QCOMPARE(QDir::current().canonicalPath(), plugin.path());
    }

    void cancelledChoiceWorksWhereStarted()
    {
        ScratchFolder home(false);
        QSettings().setValue(kPluginFolderKey, home.path() + QStringLiteral("/gone"));
        const int asked = folderDialog()->asked();
        folderDialog()->setNextDirectory(QString());
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::NotChosen);
        QCOMPARE(folderDialog()->asked(), asked + 1);
        QCOMPARE(QDir::current().canonicalPath(), home.path());
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
    }
};

QTEST_MAIN(TestCurves)
#include "tst_curves.moc"
