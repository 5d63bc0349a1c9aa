#include "skills/SkillTiers.h"

#include <stdexcept>
#include <vector>

namespace {

using M = tarnekArrayStruct;

// A parameter box as placed here: in the band of this list, or (nullptr) in the band
// without a list.
struct BoxPlacement {
    ListField list;
    std::string_view label;
    int editId;
    TextField text;
    bool digitsOnly = false;
};

constexpr BoxPlacement kTier1Boxes[] = {
    {&M::vampiricList, "Приращение:", 1049, &M::vampiricIncrement},
    {&M::criticalList, "Приращение:", 1051, &M::criticalIncrement},
    {&M::evasionList, "Max %:", 1053, &M::evasionMaxPercent},
    {&M::phoenixList, "Max %:", 1055, &M::phoenixMaxPercent},
    {&M::healList, "Max %:", 1061, &M::healMaxPercent},
    {&M::fanList, "Max %:", 1058, &M::fanMaxPercent},
    {&M::impaleList, "Max %:", 1060, &M::impaleMaxPercent},
    {&M::invisibilityList, "Уменьшение:", 1050, &M::invisibilityDecrease, true},
    {&M::invisibilityList, "Исходное:", 1052, &M::invisibilityInitial, true},
    {&M::evasionList, "Max Шанс:", 1093, &M::evasionMaxChance},
    {&M::fanList, "Max Шанс:", 1056, &M::fanMaxChance},
    {&M::impaleList, "Max Шанс:", 1057, &M::impaleMaxChance},
};

// Devotion Aura's box comes first: it is set before the others when the dialog opens.
constexpr BoxPlacement kTier2Boxes[] = {
    {nullptr, "", 1043, &M::devotionValue},
    {&M::unholyList, "Приращение:", 1061, &M::unholyIncrement},
    {&M::grenadeList, "Приращение:", 1047, &M::grenadeIncrement},
    {&M::thornsList, "Приращение:", 1049, &M::thornsIncrement},
    {&M::banishList, "Max %:", 1063, &M::banishMaxPercent},
    {&M::hexList, "Max %:", 1065, &M::hexMaxPercent},
    {&M::blinkList, "Max %:", 1067, &M::blinkMaxPercent},
    {&M::spikedList, "Приращение:", 1068, &M::spikedIncrement},
    {&M::banishList, "Max Шанс:", 1105, &M::banishMaxChance},
    {&M::hexList, "Max Шанс:", 1058, &M::hexMaxChance},
};

constexpr BoxPlacement kTier3Boxes[] = {
    {&M::bashList, "Max %:", 1072, &M::bashMaxPercent},
    {&M::ankhList, "Max %:", 1074, &M::ankhMaxPercent},
    {&M::trueshotList, "Приращение:", 1075, &M::trueshotIncrement},
    {&M::manaList, "Приращение:", 1076, &M::manaIncrement},
    {&M::serpentList, "Приращение:", 1077, &M::serpentIncrement, true},
    {&M::shadowList, "Max %:", 1079, &M::shadowMaxPercent},
    {&M::carrionList, "Max %:", 1081, &M::carrionMaxPercent},
    {&M::levitationList, "Предел:", 1073, &M::levitationLimit},
    {&M::bashList, "Max Шанс:", 1059, &M::bashMaxChance},
    {&M::shadowList, "Max Шанс:", 1092, &M::shadowMaxChance},
    {&M::carrionList, "Max Шанс:", 1106, &M::carrionMaxChance},
};

constexpr BoxPlacement kTier4Boxes[] = {
    {&M::resistantList, "Приращение:", 1082, &M::resistantIncrement},
    {&M::concoctionList, "Max %:", 1084, &M::concoctionMaxPercent},
    {&M::hardenList, "Max %:", 1086, &M::hardenMaxPercent},
    {&M::orbList, "Max %:", 1088, &M::orbMaxPercent},
    {&M::concoctionList, "Max Шанс:", 1108, &M::concoctionMaxChance},
    {&M::orbList, "Max Шанс:", 1107, &M::orbMaxChance},
};

// The band that holds a value without a list: Devotion Aura, after its tier's lists.
constexpr SkillBand kDevotionBand{"Навык: Аура преданности (Devotion Aura), Раса: Альянс Людей (Human Alliance)",
                                  std::nullopt};

struct TierTemplate {
    Tier tier;
    int templateId;
    std::string_view caption;
    UnitSize size;
    int saveButtonId;
    std::span<const BoxPlacement> boxes;
};

constexpr TierTemplate kTemplates[] = {
    {Tier::One, 103, "Настройка скилов первого уровня", {850, 470}, 1010, kTier1Boxes},
    {Tier::Two, 104, "Настройка скилов второго уровня", {850, 433}, 1019, kTier2Boxes},
    {Tier::Three, 105, "Настройка скилов третьего уровня", {850, 462}, 1027, kTier3Boxes},
    {Tier::Four, 106, "Настройка скилов четвертого уровня", {850, 254}, 1036, kTier4Boxes},
};

std::size_t BandOf(const BoxPlacement& box, const std::vector<SkillBand>& bands)
{
    for (std::size_t band = 0; band < bands.size(); ++band) {
        const std::optional<std::size_t>& code = bands[band].code;
        if (box.list ? code == IndexOf(box.list) : !code)
            return band;
    }
    throw std::logic_error("a parameter box names a list outside its dialog");
}

// A tier's bands and boxes as the dialog reads them: the bands of the tier's lists in
// table order, then the band without a list. Kept in place for the program's lifetime,
// since the SkillTier views them.
class BuiltTier {
public:
    explicit BuiltTier(const TierTemplate& from)
    {
        for (const ListDescriptor& list : ListsOfTier(from.tier))
            bands_.push_back({list.band.title, IndexOf(list.list), list.band.gridId, list.band.fillButtonId});
        if (DevotionValue().tier == from.tier)
            bands_.push_back(kDevotionBand);
        for (const BoxPlacement& box : from.boxes)
            boxes_.push_back({BandOf(box, bands_), box.label, box.editId, box.text, box.digitsOnly});
        tier_ = {from.tier, from.templateId, from.caption, from.size, from.saveButtonId, bands_, boxes_};
    }
    BuiltTier(const BuiltTier&) = delete;
    BuiltTier& operator=(const BuiltTier&) = delete;

    const SkillTier& tier() const { return tier_; }

private:
    std::vector<SkillBand> bands_;
    std::vector<ParameterBox> boxes_;
    SkillTier tier_{};
};

}  // namespace

const SkillTier& SkillTierOf(Tier tier)
{
    const auto index = static_cast<int>(tier);
    if (index < 1 || index > 4)
        throw std::invalid_argument("no skill dialog for this tier");
    static const BuiltTier tiers[] = {BuiltTier(kTemplates[0]), BuiltTier(kTemplates[1]), BuiltTier(kTemplates[2]),
                                      BuiltTier(kTemplates[3])};
    return tiers[index - 1].tier();
}
