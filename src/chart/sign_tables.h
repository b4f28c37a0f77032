// The per-sign attribute and prediction tables: 28 tables of 13 entries,
// indices 0..11 for Aries..Pisces and index 12 always empty.
#pragma once

#include <array>
#include <string_view>

namespace selmarind {

// The tables in their loading order.
enum class SignTable {
    VedicName,
    EnglishName,
    Abbreviation,
    RulingPlanet,
    Symbol,
    Element,
    Color,
    TypeOfSign,
    Gender,
    BestPeriodOfActivity,
    Fruitfulness,
    Caste,
    Position,
    ConstituentCharacter,
    LuckyDays,
    LuckyNumbers,
    BestDirection,
    LuckyColors,
    LuckyGemstone,
    PartOfTheBody,
    Physique,
    Looks,
    Nature,
    CareerAndFinance,
    LoveAndDomesticLife,
    Health,
    CompatibleWith,
    NotCompatibleWith,
};

inline constexpr int kSignTableCount = 28;
inline constexpr int kSignTableSize = 13; // indices 0..12; 12 is never filled

using SignAttributeTable = std::array<std::string_view, kSignTableSize>;
using SignAttributeTables = std::array<SignAttributeTable, kSignTableCount>;

// All 28 tables, indexed by SignTable. Compiled-in constant data: every call
// returns the same tables.
const SignAttributeTables& LoadSignTables();

// Entry of one table for sign index 0..12; empty outside that range.
std::string_view SignTableEntry(SignTable table, int signIndex);

// One attribute control of the result form: its objectName, the table it
// shows and its field caption.
struct AttributeControl {
    std::string_view objectName;
    SignTable table;
    std::string_view caption;
    bool isParagraph; // one of the five prediction text boxes
};

// The 28 attribute controls in the order the chart calculation writes them.
// The English sign name appears twice; the abbreviation table feeds none.
inline constexpr std::array<AttributeControl, 28> kAttributeControls = {{
    {"lblArudhaLagnaPresentInSign", SignTable::EnglishName, "Torvi Lagna Present In Sign", false},
    {"lblVedicName", SignTable::VedicName, "Vedic Name", false},
    {"lblEnglishName", SignTable::EnglishName, "English Name", false},
    {"lblRullingPlanet", SignTable::RulingPlanet, "Ruling Planet", false},
    {"lblSymbol", SignTable::Symbol, "Symbol", false},
    {"lblNature", SignTable::Element, "Nature", false},
    {"lblColor", SignTable::Color, "Color", false},
    {"lblTypeOfSign", SignTable::TypeOfSign, "Type Of Sign", false},
    {"lblGender", SignTable::Gender, "Gender", false},
    {"lblBestPeriodOfActivity", SignTable::BestPeriodOfActivity, "Best Period Of Activity", false},
    {"lblBarren", SignTable::Fruitfulness, "Barren", false},
    {"lblCaste", SignTable::Caste, "Caste", false},
    {"lblPosition", SignTable::Position, "Position", false},
    {"lblConstituentCharacter", SignTable::ConstituentCharacter, "Constituent Character", false},
    {"lblLuckyDays", SignTable::LuckyDays, "Lucky Days", false},
    {"lblLuckyNumbers", SignTable::LuckyNumbers, "Lucky Numbers", false},
    {"lblBestDirection", SignTable::BestDirection, "Best Direction", false},
    {"lblLuckyColors", SignTable::LuckyColors, "Lucky Colors", false},
    {"lblLuckyGemstone", SignTable::LuckyGemstone, "Lucky Gemstone", false},
    {"lblPartOfTheBody", SignTable::PartOfTheBody, "Part Of The Body", false},
    {"lblPhysique", SignTable::Physique, "Physique", false},
    {"txtLooks", SignTable::Looks, "Looks", true},
    {"txtNature", SignTable::Nature, "Nature", true},
    {"txtCareerAndFinance", SignTable::CareerAndFinance, "Career And Finance", true},
    {"txtLoveAndDomesticLife", SignTable::LoveAndDomesticLife, "Love And Domestic Life", true},
    {"txtHealth", SignTable::Health, "Health", true},
    {"lblCompatibleWith", SignTable::CompatibleWith, "Compatible With", false},
    {"lblNotCompatibleWith", SignTable::NotCompatibleWith, "Not Compatible With", false},
}};

} // namespace selmarind
