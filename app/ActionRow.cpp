#include "app/ActionRow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/LevelCombo.h"
#include "app/WebAddress.h"
#include "grid/SessionSignals.h"
#include "widgets/DialogUnits.h"
#include "widgets/FlowLayout.h"
#include "widgets/QtText.h"

namespace {

struct UnitSize {
    int width, height;
};

// Where a button sits: on its own in a line of the row, or inside one of the row's frames
// at a place in dialog units.
enum class Frame { None, Skills };

struct ButtonRow {
    ActionRow::Button id;
    const char* text;
    const char* objectName;
    UnitSize size;
    Frame frame;
    int left, top;  // in the frame
    int line;       // of the row: 0 the level count and skills, 1 what acts on the whole configuration
    const char* tip;
};

constexpr UnitSize kLevelFrame{85, 32};
constexpr QRect kLevelComboBox{6, 12, 71, 12};
constexpr UnitSize kSkillFrame{309, 32};
constexpr UnitSize kSiteFrame{144, 32};
constexpr QRect kLinkBox{7, 14, 130, 12};
constexpr int kSpacing = 4;  // dialog units between the controls of a line and between lines

using B = ActionRow::Button;
// clang-format off
constexpr std::array<ButtonRow, ActionRow::kButtonCount> kButtons{{
    {B::CreateLevels, "Создать уровни", "createLevels", {84, 20}, Frame::None, 0, 0, 0,
     "Пересчитывает все 31 список для выбранного количества уровней и сохраняет: база данных, "
     "tarnek/base.h, tarnek/skills.inl"},
    {B::SkillTier1, "Скилы 1 уровня", "skillTier1", {70, 16}, Frame::Skills, 9, 11, 0,
     "Скилы первого уровня; «Сохранить» в их окне сохраняет их и пишет оба исходника"},
    {B::SkillTier2, "Скилы 2 уровня", "skillTier2", {70, 16}, Frame::Skills, 83, 11, 0,
     "Скилы второго уровня; «Сохранить» в их окне сохраняет их и пишет оба исходника"},
    {B::SkillTier3, "Скилы 3 уровня", "skillTier3", {70, 16}, Frame::Skills, 157, 11, 0,
     "Скилы третьего уровня; «Сохранить» в их окне сохраняет их и пишет оба исходника"},
    {B::SkillTier4, "Скилы 4 уровня", "skillTier4", {70, 16}, Frame::Skills, 231, 11, 0,
     "Скилы четвёртого уровня; «Сохранить» в их окне сохраняет их и пишет оба исходника"},
    {B::Export, "Экспорт настроек…", "exportSettings", {84, 20}, Frame::None, 0, 0, 1,
     "Записывает всю конфигурацию, как она показана, в файл JSON (его принимает и tarnek-levels import); "
     "ничего не сохраняет"},
    {B::Import, "Импорт настроек…", "importSettings", {84, 20}, Frame::None, 0, 0, 1,
     "Заменяет конфигурацию настройками из файла JSON, одним шагом отмены; сохраняет «Сохранить»"},
    {B::LoadSources, "Загрузить из исходников плагина…", "loadPluginSources", {150, 20}, Frame::None, 0, 0, 1,
     "Берёт настройки из tarnek/base.h и tarnek/skills.inl этой папки, одним шагом отмены; сохраняет «Сохранить»"},
    {B::Save, "Сохранить", "save", {60, 20}, Frame::None, 0, 0, 1,
     "Сохраняет всю конфигурацию: база данных, tarnek/base.h, tarnek/skills.inl; без компиляции (Ctrl+S)"},
    {B::Compile, "Компилировать плагин", "compile", {107, 20}, Frame::None, 0, 0, 1,
     "Сохраняет таблицы этого окна и оба исходника, затем запускает компилятор плагина"},
    {B::Exit, "Выход", "exit", {50, 20}, Frame::None, 0, 0, 1,
     "Закрывает редактор; о несохранённых изменениях он спросит"},
}};
// clang-format on

}  // namespace

ActionRow::ActionRow(const DialogUnits& units, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("actionRow"));
    const auto size = [&units](UnitSize s) { return units.Map(0, 0, s.width, s.height).size(); };
    const auto place = [&units](const QRect& r) { return units.Map(r.x(), r.y(), r.width(), r.height()); };
    const int spacing = units.Map(0, 0, kSpacing, 0).width();

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(spacing);
    std::array<FlowLayout*, 2> lines{};
    for (FlowLayout*& line : lines) {
        line = new FlowLayout(nullptr, spacing);
        rows->addLayout(line);
    }
    const auto frame = [&](const char* title, UnitSize s) {
        auto* group = new QGroupBox(ToQString(title), this);
        group->setFixedSize(size(s));
        return group;
    };

    QGroupBox* levelFrame = frame("Количество уровней", kLevelFrame);
    levelCombo_ = new QComboBox(levelFrame);
    levelCombo_->setGeometry(place(kLevelComboBox));
    levelCombo_->setObjectName(QStringLiteral("levelCount"));
    levelCombo_->setToolTip(ToQString("Количество уровней плагина; вступает в силу после «Создать уровни»"));
    QGroupBox* skillFrame = frame("Настройка скилов", kSkillFrame);

    lines[0]->addWidget(levelFrame);
    for (const ButtonRow& row : kButtons) {
        QWidget* holder = row.frame == Frame::Skills ? static_cast<QWidget*>(skillFrame) : this;
        auto* b = new QPushButton(ToQString(row.text), holder);
        b->setObjectName(QString::fromLatin1(row.objectName));
        b->setToolTip(ToQString(row.tip));
        if (row.frame == Frame::None) {
            b->setFixedSize(size(row.size));
            lines[static_cast<std::size_t>(row.line)]->addWidget(b);
        } else {
            b->setGeometry(place(QRect(row.left, row.top, row.size.width, row.size.height)));
        }
        buttons_[static_cast<std::size_t>(row.id)] = b;
        if (row.id == Button::CreateLevels)
            lines[0]->addWidget(skillFrame);
    }

    QGroupBox* siteFrame = frame("Посетите сайт:", kSiteFrame);
    link_ = new QLabel(siteFrame);
    link_->setGeometry(place(kLinkBox));
    link_->setText(QStringLiteral("<a href=\"%1\">%2</a> %3")
                       .arg(SiteAddress().toHtmlEscaped(), ToQString("Официальный сайт"), SiteName().toHtmlEscaped()));
    link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link_->setToolTip(SiteAddress());
    lines[0]->addWidget(siteFrame);
}

void ActionRow::FollowLevelCount(SessionSignals& session)
{
    levelCombo_->addItems(LevelCountItems());
    const auto show = [this, &session] {
        ShowLevelCount(levelCombo_, QString::fromStdString(session.configuration().levelCountText));
    };
    show();
    connect(&session, &SessionSignals::changed, this, [show](const ConfigurationEdit& edit, ChangeCause cause) {
        // A reload shows the stored count even where the box's choice was another.
        if (cause == ChangeCause::ReadAgain || Touches(edit, LevelCountValue().text))
            show();
    });
}
