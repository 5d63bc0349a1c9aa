#include <memory>

#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "DialogBase.h"
#include "Descriptors.h"
#include "GridOperations.h"
#include "MessageBoxSink.h"
#include "UserMessageBox.h"
#include "tarnekBaseListCtrl.h"
#include "tarnekCtrlStruct.h"
#include "tarnekEditCtrl.h"

namespace {

// Qt Test's keyClicks squeezes text through Latin-1; Cyrillic goes as key events with text.
void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The widget overload of mouseDClick sends the double-click event alone; a real double
// click is press, release, double click, release, and item views need the first press.
void DoubleClick(QWidget* widget, QPoint pos)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

QPoint CellCentre(tarnekBaseListCtrl* grid, int column)
{
    return grid->visualRect(grid->model()->index(0, column)).center();
}

// A dialog with two grids, a line edit and a button, as the editor's dialogs hold them.
struct GridDialog {
    tarnekArrayStruct model;
    tarnekCtrlStruct table;
    DialogBase dialog;
    tarnekBaseListCtrl* grid = nullptr;
    tarnekBaseListCtrl* singleClickGrid = nullptr;
    QLineEdit* other = nullptr;
    QPushButton* button = nullptr;

    GridDialog()
    {
        model.xpLevelShortTerm = {"0", "500", "1000", "1500"};
        model.ankhList = {"0.333", "0.667", "1.000"};
        table.model = &model;
        auto* layout = new QVBoxLayout(&dialog);
        grid = new tarnekBaseListCtrl(0, &dialog);
        singleClickGrid = new tarnekBaseListCtrl(static_cast<int>(*FindList("ankhList")), &dialog);
        other = new QLineEdit(&dialog);
        button = new QPushButton(QStringLiteral("Кнопка"), &dialog);
        button->setDefault(true);
        layout->addWidget(grid);
        layout->addWidget(singleClickGrid);
        layout->addWidget(other);
        layout->addWidget(button);
        table.BindGrid(grid);
        table.BindGrid(singleClickGrid);
        table.FillGrid(grid, model.xpLevelShortTerm);
        table.FillGrid(singleClickGrid, model.ankhList);
        dialog.resize(600, 300);
        dialog.show();
        dialog.activateWindow();
    }

    tarnekEditCtrl* OpenEditor(int column)
    {
        DoubleClick(grid->viewport(), CellCentre(grid, column));
        return table.editor.data();
    }
};

}  // namespace

class TestGrid final : public QObject {
    Q_OBJECT

private slots:
    void init() { UserMessageBox::SetUnattended(true); }
    void cleanup() { UserMessageBox::SetUnattended(false); }

    void fillGridBuildsOneRowOfHeadedColumns()
    {
        tarnekCtrlStruct table;
        tarnekBaseListCtrl grid(0);
        const ValueList list{"0", "500", "1000", "1500", "2000", "2500", "3000", "3500", "4000", "4500", "5000"};
        table.FillGrid(&grid, list);
        QCOMPARE(grid.columnCount(), 11);
        QCOMPARE(grid.rowCount(), 1);
        for (int i = 0; i < 11; ++i) {
            QCOMPARE(grid.horizontalHeaderItem(i)->text(), QString::number(i));
            QCOMPARE(grid.columnWidth(i), 50);
            QCOMPARE(grid.cellText(i), QString::fromStdString(list.at(static_cast<std::size_t>(i))));
        }
        QVERIFY(grid.showGrid());
        QCOMPARE(GridRow(&grid), list);

        ClearGrid(&grid);
        QCOMPARE(grid.columnCount(), 0);
        QCOMPARE(grid.rowCount(), 0);
    }

    void sizingOnlyWidens()
    {
        tarnekCtrlStruct table;
        tarnekBaseListCtrl grid(0);
        const QString wide(QStringLiteral("12345678901234567890"));
        table.FillGrid(&grid, ValueList{"1", wide.toStdString()});
        const int wideWidth = QFontMetrics(grid.font()).horizontalAdvance(wide) + 15;
        QVERIFY(wideWidth > 50);

        table.SizeGridColumns(&grid, 2);
        QCOMPARE(grid.columnWidth(0), 50);
        QCOMPARE(grid.columnWidth(1), wideWidth);

        grid.item(0, 1)->setText(QStringLiteral("1"));
        table.SizeGridColumns(&grid, 2);
        QCOMPARE(grid.columnWidth(1), wideWidth);
    }

    void readGridRowKeepsTheListLength()
    {
        tarnekCtrlStruct table;
        tarnekBaseListCtrl grid(0);
        table.FillGrid(&grid, ValueList{"a", "b", "c"});
        grid.item(0, 1)->setText(QStringLiteral("1,5"));

        ValueList shorter{"x", "y"};
        ReadGridRow(&grid, shorter);
        QCOMPARE(shorter, (ValueList{"a", "1,5"}));

        ValueList longer{"x", "y", "z", "w"};
        ReadGridRow(&grid, longer);
        QCOMPARE(longer, (ValueList{"a", "1,5", "c", "w"}));
    }

    void enterCommitsTheTextAndWidens()
    {
        GridDialog d;
        QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
        tarnekEditCtrl* editor = d.OpenEditor(1);
        QVERIFY(editor != nullptr);
        QVERIFY(editor->hasFocus());
        QCOMPARE(editor->text(), QStringLiteral("500"));
        QCOMPARE(editor->selectedText(), QStringLiteral("500"));

        const QString typed = QStringLiteral("Очень длинное значение уровня");
        TypeText(editor, typed);
        QCOMPARE(editor->editText, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(d.grid->cellText(1), typed);
        QCOMPARE(d.grid->columnWidth(1), QFontMetrics(d.grid->font()).horizontalAdvance(typed) + 15);
        QCOMPARE(d.grid->columnWidth(0), 50);
        QVERIFY(d.dialog.isVisible());
        // The model learns of the edit only when its dialog reads the grid back.
        QCOMPARE(d.model.xpLevelShortTerm.at(1), std::string("500"));
        QTRY_VERIFY(d.table.editor.isNull());
    }

    void commitTakesAnyTextUnchanged_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << QString();
        QTest::newRow("comma") << QStringLiteral("1,5");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("spaces kept") << QStringLiteral(" 7 ");
    }

    void commitTakesAnyTextUnchanged()
    {
        QFETCH(QString, typed);
        GridDialog d;
        QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
        tarnekEditCtrl* editor = d.OpenEditor(2);
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Delete);
        TypeText(editor, typed);
        QTest::keyClick(editor, Qt::Key_Enter);
        QCOMPARE(d.grid->cellText(2), typed);
    }

    void escapeTabAndFocusLossLeaveTheCell_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("escape") << 0;
        QTest::newRow("tab") << 1;
        QTest::newRow("other control") << 2;
        QTest::newRow("other cell") << 3;
    }

    void escapeTabAndFocusLossLeaveTheCell()
    {
        QFETCH(int, how);
        GridDialog d;
        QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
        QPointer<tarnekEditCtrl> editor = d.OpenEditor(1);
        QVERIFY(editor);
        TypeText(editor, QStringLiteral("999"));
        switch (how) {
        case 0:
            QTest::keyClick(editor, Qt::Key_Escape);
            break;
        case 1:
            QTest::keyClick(editor, Qt::Key_Tab);
            break;
        case 2:
            QTest::mouseClick(d.other, Qt::LeftButton);
            d.other->setFocus();
            break;
        default: {
            tarnekEditCtrl* second = d.OpenEditor(3);
            QVERIFY(second != nullptr);
            QVERIFY(second != editor);
            QCOMPARE(second->text(), QStringLiteral("1500"));
            break;
        }
        }
        QTRY_VERIFY(editor.isNull() || !editor->isVisible());
        QCOMPARE(d.grid->cellText(1), QStringLiteral("500"));
        QCOMPARE(d.grid->columnWidth(1), 50);
        QVERIFY(d.dialog.isVisible());
    }

    void onlyOneGridOpensOnASingleClick()
    {
        GridDialog d;
        QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
        QVERIFY(!d.grid->opensOnSingleClick());
        QVERIFY(d.singleClickGrid->opensOnSingleClick());

        QTest::mouseClick(d.grid->viewport(), Qt::LeftButton, {}, CellCentre(d.grid, 0));
        QVERIFY(d.table.editor.isNull());

        QTest::mouseClick(d.singleClickGrid->viewport(), Qt::LeftButton, {}, CellCentre(d.singleClickGrid, 1));
        QVERIFY(!d.table.editor.isNull());
        QCOMPARE(d.table.editor->text(), QStringLiteral("0.667"));
        QTest::keyClick(d.table.editor.data(), Qt::Key_End);
        TypeText(d.table.editor.data(), QStringLiteral("5"));
        QTest::keyClick(d.table.editor.data(), Qt::Key_Return);
        QCOMPARE(d.singleClickGrid->cellText(1), QStringLiteral("0.6675"));
        QCOMPARE(d.grid->cellText(1), QStringLiteral("500"));
    }

    void clickBelowTheRowOpensNothing()
    {
        GridDialog d;
        QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
        const QRect cell = d.grid->visualRect(d.grid->model()->index(0, 0));
        DoubleClick(d.grid->viewport(), QPoint(cell.center().x(), cell.bottom() + 10));
        QVERIFY(d.table.editor.isNull());
        QVERIFY(!d.table.StartCellEdit(d.grid, 1, 0));
    }

    void enterAndEscapeNeverCloseOrPressADefaultButton()
    {
        GridDialog d;
        QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
        QSignalSpy clicked(d.button, &QPushButton::clicked);
        QSignalSpy finished(&d.dialog, &QDialog::finished);
        QVERIFY(!d.button->isDefault());
        QVERIFY(!d.button->autoDefault());

        for (QWidget* w : {static_cast<QWidget*>(d.button), static_cast<QWidget*>(d.other), static_cast<QWidget*>(d.grid)}) {
            w->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(w, key);
        }
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(finished.count(), 0);
        QVERIFY(d.dialog.isVisible());
    }

    void closingTheDialogWithAnOpenEditorDeletesIt()
    {
        QPointer<tarnekEditCtrl> editor;
        {
            GridDialog d;
            QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
            editor = d.OpenEditor(0);
            QVERIFY(editor);
        }
        QVERIFY(editor.isNull());
    }

    void unattendedBoxesAreRecordedAndAnswered()
    {
        UserMessageBox::SetNextAnswer(QMessageBox::No);
        QCOMPARE(UserMessageBox::Show(nullptr, QStringLiteral("\n Вопрос"), QStringLiteral("Запрос"),
                                      QMessageBox::Information, QMessageBox::Yes | QMessageBox::No),
                 QMessageBox::No);
        // Unanswered, a box takes its first button rather than wait.
        QCOMPARE(UserMessageBox::Show(nullptr, QStringLiteral("Снова"), QString(), QMessageBox::Information,
                                      QMessageBox::Yes | QMessageBox::No),
                 QMessageBox::Yes);

        MessageBoxSink sink;
        sink.Show(Message{"Не может записать в файл (ошибка 13)\n", "Ошибка", MessageIcon::Error});
        sink.Show(Message{"database disk image is malformed", "", MessageIcon::Stop});

        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 4);
        QCOMPARE(shown[0].text, QStringLiteral("\n Вопрос"));
        QCOMPARE(shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(shown[2].text, QStringLiteral("Не может записать в файл (ошибка 13)\n"));
        QCOMPARE(shown[2].caption, QStringLiteral("Ошибка"));
        QCOMPARE(shown[2].icon, QMessageBox::Critical);
        QCOMPARE(shown[3].caption, QGuiApplication::applicationDisplayName());
        QCOMPARE(shown[3].icon, QMessageBox::Critical);
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
