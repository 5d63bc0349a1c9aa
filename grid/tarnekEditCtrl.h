#pragma once

#include <QLineEdit>
#include <QString>

class tarnekBaseListCtrl;
struct tarnekCtrlStruct;

// The in-place editor over one grid cell. It takes any text: no length limit, no filter,
// no check. Enter, Escape, Tab and focus loss are handled by tarnekCellDelegate.
class tarnekEditCtrl final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(tarnekEditCtrl)

public:
    explicit tarnekEditCtrl(tarnekBaseListCtrl* grid, QWidget* parent);

    QString editText;  // follows every change of the text
    bool confirmed = false;  // Enter was pressed: the text is to be written
    int cellRow = 0;
    int cellColumn = 0;
    int targetCode = -1;
    tarnekCtrlStruct* owner = nullptr;  // the control table that receives the commit
    tarnekBaseListCtrl* grid;

private:
    void onTextChanged(const QString& text);
};
