#include "skills/SkillDialog.h"

#include <algorithm>

#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include "grid/CellMarking.h"
#include "grid/ConfigurationEditCommand.h"
#include "grid/GridOperations.h"
#include "grid/tarnekBaseListCtrl.h"
#include "widgets/DialogUnits.h"
#include "widgets/DigitsOnlyFilter.h"
#include "widgets/FillButtonImage.h"
#include "widgets/FillButtonTip.h"
#include "widgets/FolderCaption.h"
#include "widgets/QtText.h"

namespace {

// Sizes of the templates, in dialog units of the dialog's font.
class UnitScale {
public:
    explicit UnitScale(const QFont& font) : units_(QFontMetrics(font)) {}
    QSize size(UnitSize size) const { return units_.Map(0, 0, size.width, size.height).size(); }
    int x(int units) const { return units_.Map(0, 0, units, 0).width(); }
    int y(int units) const { return units_.Map(0, 0, 0, units).height(); }

private:
    DialogUnits units_;
};

QString ControlName(int id)
{
    return QString::number(id);
}

const ListDescriptor& ListOf(const SkillBand& band)
{
    return ValueLists()[*band.code];
}

// A fill of the dialog's history: "Отмена" keeps what the fills made. The fill replaces
// its whole list, hand edits included, and its step says so, so that the list can be
// replayed over the configuration the dialog was opened on.
class FillStep final : public ConfigurationEditCommand {
public:
    FillStep(EditingSession& session, std::size_t list, std::vector<TextAssignment> texts)
        : ConfigurationEditCommand(
              session, QStringLiteral("заполнение"), [list, texts = std::move(texts)](EditingSession& s) {
                  const auto cells = [&s, list] { return (s.configuration().*ValueLists()[list].list).texts(); };
                  const std::vector<std::string> before = cells();
                  ConfigurationEdit edit = s.Fill(list, texts);
                  if (edit.empty())
                      return edit;
                  std::erase_if(edit.lists, [list](const ListChange& c) { return c.list == list; });
                  edit.lists.push_back({list, 0, before, cells()});
                  return edit;
              })
    {}
};

}  // namespace

SkillDialog::SkillDialog(const SkillTier& tier, EditingSession& session, QWidget* parent)
    : DialogBase(parent), tier_(tier), session_(session), sink_(this), scoped_(sink_, session.configuration()),
      signals_(scoped_), undo_(new QUndoStack(this))
{
    hooks.commit = [this](const tarnekArrayStruct& result) { session_.Replace(result); };
    hooks.save = [this](SaveScope scope) { return session_.Save(scope).outcome == SaveOutcome::Saved; };
    connect(&signals_, &SessionSignals::changed, this, &SkillDialog::Follow);
    SetFolderCaption(*this, ToQString(tier_.caption), QDir::currentPath());
    setObjectName(ControlName(tier_.templateId));
    // Maximised, the grids take the whole width of the screen.
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    // First in the focus chain, as in the templates; the focus starts on "Сохранить".
    save_ = new QPushButton(QStringLiteral("Сохранить"), this);
    save_->setObjectName(ControlName(tier_.saveButtonId));
    cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
    cancel_->setObjectName(ControlName(2));

    BuildBands();
    BuildChartPane();
    BuildButtons();
    SetTabOrder();
    save_->setFocus(Qt::OtherFocusReason);

    for (std::size_t box = 0; box < tier_.boxes.size(); ++box)
        boxes_[box]->setText(QString::fromStdString(scoped_.configuration().*tier_.boxes[box].text));

    for (QLineEdit* box : boxes_)
        connect(box, &QLineEdit::textChanged, this, &SkillDialog::UpdateFillTips);
    UpdateFillTips();
    connect(save_, &QPushButton::clicked, this, &SkillDialog::Save);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    resize(UnitScale(font()).size(tier_.size));
    FitToScreen();
    BuildActions();
}

SkillDialog::~SkillDialog() = default;

void SkillDialog::BuildActions()
{
    QAction* undo = undo_->createUndoAction(this, QStringLiteral("Отменить"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = undo_->createRedoAction(this, QStringLiteral("Повторить"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo, redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void SkillDialog::UpdateFillTips()
{
    auto text = [this](TextField field) {
        const QLineEdit* box = field ? parameterBox(field) : nullptr;
        return box ? box->text() : QString();
    };
    for (std::size_t band = 0; band < tier_.bands.size(); ++band) {
        if (fillButtons_[band] == nullptr)
            continue;
        const ListDescriptor& list = ListOf(tier_.bands[band]);
        fillButtons_[band]->setToolTip(FillButtonTip(list, text(list.firstParameter), text(list.secondParameter)));
    }
}

void SkillDialog::BuildBands()
{
    const UnitScale du(font());
    // The bands scroll above the chart pane.
    bands_ = new QWidget(this);
    auto* layout = new QVBoxLayout(bands_);
    layout->setContentsMargins(0, 0, 0, 0);

    grids_.assign(tier_.bands.size(), nullptr);
    fillButtons_.assign(tier_.bands.size(), nullptr);
    boxes_.assign(tier_.boxes.size(), nullptr);
    auto* digitsOnly = new DigitsOnlyFilter(this);

    std::vector<QWidget*> strips;
    for (std::size_t band = 0; band < tier_.bands.size(); ++band) {
        const SkillBand& description = tier_.bands[band];
        auto* group = new QGroupBox(ToQString(description.title), bands_);
        auto* row = new QHBoxLayout(group);

        // The parameter boxes and the fill button share the strip left of the grid.
        auto* strip = new QHBoxLayout;
        for (std::size_t box = 0; box < tier_.boxes.size(); ++box) {
            const ParameterBox& parameter = tier_.boxes[box];
            if (parameter.band != band)
                continue;
            auto* edit = new QLineEdit(group);
            edit->setObjectName(ControlName(parameter.editId));
            edit->setAlignment(Qt::AlignCenter);
            if (parameter.digitsOnly)
                edit->installEventFilter(digitsOnly);
            KeepBoxMarked(edit, parameter.text);
            boxes_[box] = edit;
            if (parameter.label.empty()) {
                edit->setFixedSize(du.size(kBareBoxSize));
                strip->addWidget(edit);
                continue;
            }
            edit->setFixedSize(du.size(kParameterBoxSize));
            auto* frame = new QGroupBox(ToQString(parameter.label), group);
            auto* frameLayout = new QVBoxLayout(frame);
            frameLayout->setContentsMargins(2, 0, 2, 2);
            frameLayout->addWidget(edit);
            strip->addWidget(frame);
        }

        if (!description.code) {
            row->addLayout(strip);
            row->addStretch();
            group->setFixedSize(du.size(kBareBandSize).expandedTo(group->sizeHint()));
            layout->addWidget(group, 0, Qt::AlignLeft);
            continue;
        }

        auto* fill = new QPushButton(group);
        fill->setObjectName(ControlName(description.fillButtonId));
        SetFillButtonImage(fill);
        fill->setFixedSize(du.size(kFillButtonSize).expandedTo(QSize(20, 20)));
        connect(fill, &QPushButton::clicked, this, [this, band] { Fill(band); });
        fillButtons_[band] = fill;
        strip->addStretch();
        strip->addWidget(fill);

        auto* stripWidget = new QWidget(group);
        stripWidget->setLayout(strip);
        strip->setContentsMargins(0, 0, 0, 0);
        strips.push_back(stripWidget);
        row->addWidget(stripWidget);

        const std::size_t code = *description.code;
        auto* grid = new tarnekBaseListCtrl(static_cast<int>(code), signals_, *undo_, group);
        grid->setObjectName(ControlName(description.gridId));
        grid->setFixedHeight(du.y(kGridSize.height));
        grid->setMinimumWidth(du.x(kGridSize.width) / 2);
        table_.BindGrid(grid);
        KeepGridMarked(grid);
        grids_[band] = grid;
        row->addWidget(grid, 1);

        layout->addWidget(group);
    }

    // Every grid starts at the same x, however many boxes its band holds.
    int stripWidth = du.x(kGridLeft);
    for (const QWidget* strip : strips)
        stripWidth = std::max(stripWidth, strip->sizeHint().width());
    for (QWidget* strip : strips)
        strip->setFixedWidth(stripWidth);

    layout->addStretch();
}

void SkillDialog::BuildButtons()
{
    const UnitScale du(font());
    save_->setMinimumSize(du.size(kSaveButtonSize));
    cancel_->setMinimumSize(du.size(kCancelButtonSize));
    save_->setToolTip(QStringLiteral(
        "Сохраняет скилы этого окна в базу данных и пишет tarnek/base.h и tarnek/skills.inl, затем закрывает окно"));
    cancel_->setToolTip(QStringLiteral("Закрывает окно; правки ячеек пропадают, заливки остаются в редакторе"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
}

// "Сохранить", "Отмена", the grids, then the boxes and fill buttons.
void SkillDialog::SetTabOrder()
{
    QWidget* previous = cancel_;
    setTabOrder(save_, cancel_);
    auto chain = [&previous](QWidget* next) {
        if (next == nullptr)
            return;
        setTabOrder(previous, next);
        previous = next;
    };
    for (tarnekBaseListCtrl* grid : grids_)
        chain(grid);
    for (QLineEdit* box : boxes_)
        chain(box);
    for (QPushButton* fill : fillButtons_)
        chain(fill);
}

void SkillDialog::SelectValue(std::optional<std::size_t> list, std::size_t level)
{
    if (!list) {
        if (QLineEdit* box = parameterBox(DevotionValue().text))
            box->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (std::size_t band = 0; band < tier_.bands.size(); ++band) {
        if (tier_.bands[band].code == list && grids_[band] != nullptr)
            SelectGridCell(grids_[band], static_cast<int>(level));
    }
}

QLineEdit* SkillDialog::parameterBox(TextField text) const
{
    for (std::size_t box = 0; box < tier_.boxes.size(); ++box) {
        if (tier_.boxes[box].text == text)
            return boxes_[box];
    }
    return nullptr;
}

std::vector<TextAssignment> SkillDialog::BoxTexts() const
{
    std::vector<TextAssignment> texts;
    for (std::size_t box = 0; box < tier_.boxes.size(); ++box)
        texts.emplace_back(tier_.boxes[box].text, boxes_[box]->text().toStdString());
    return texts;
}

void SkillDialog::Follow(const ConfigurationEdit& edit, ChangeCause cause)
{
    // An undo or redo may change the cell under an open editor.
    if (cause != ChangeCause::Edit)
        table_.DeleteEditor();
    for (std::size_t box = 0; box < tier_.boxes.size(); ++box)
        if (Touches(edit, tier_.boxes[box].text))
            boxes_[box]->setText(QString::fromStdString(scoped_.configuration().*tier_.boxes[box].text));
}

void SkillDialog::Fill(std::size_t band)
{
    if (band >= tier_.bands.size() || !tier_.bands[band].code)
        return;
    // What is typed in an open editor counts, as Enter would have it, before the fill.
    table_.CommitEditor();
    undo_->push(new FillStep(scoped_, *tier_.bands[band].code, BoxTexts()));
}

tarnekArrayStruct SkillDialog::kept() const
{
    tarnekArrayStruct fills = session_.configuration();
    for (int step = 0; step < undo_->index(); ++step)
        if (const auto* fill = dynamic_cast<const FillStep*>(undo_->command(step)))
            ::Apply(fill->edit(), fills);
    return fills;
}

void SkillDialog::Save()
{
    table_.CommitEditor();
    scoped_.SetTexts(BoxTexts());
    hooks.commit(scoped_.configuration());
    hooks.save(SaveScope::OfDialogTier(tier_.tier));
    accept();
}

void SkillDialog::done(int result)
{
    table_.DeleteEditor();
    // "Отмена" or the close box: what the fills made reaches the session, confirmed cells
    // and boxes typed since the last fill do not.
    if (result != QDialog::Accepted)
        hooks.commit(kept());
    DialogBase::done(result);
}
