#include "chart/sign_tables.h"

#include "engine/name_tables.h"

#include <cstddef>

namespace selmarind {

namespace {

// Copies the twelve sign entries into a table; index 12 stays empty.
constexpr SignAttributeTable FromSigns(const std::array<std::string_view, 12>& signs) {
    SignAttributeTable table{};
    for (std::size_t i = 0; i < signs.size(); ++i) {
        table[i] = signs[i];
    }
    return table;
}

// Each table lists Aries to Pisces; the initialisers stop at index 11, so
// index 12 is the empty string in every table.

constexpr SignAttributeTable kVedicNames = {"Mesha",  "Vrishabha", "Mithuna", "Kataka",
                                            "Simha",  "Kanya",     "Thula",   "Vrischika",
                                            "Dhanus", "Makara",    "Kumbha",  "Meena"};

// The ruling planet of each sign is its lord.
constexpr SignAttributeTable kRulingPlanets = FromSigns(kSignLords);

constexpr SignAttributeTable kSymbols = {"The Ram",       "The Bull",          "The Twins",
                                         "The Crab",      "The Lion",          "The Virgin",
                                         "The Balance",   "The Scorpion",      "The Archer",
                                         "The Crocodile", "The Water Carrier", "The Double Fish"};

constexpr SignAttributeTable kElements = {"Fire", "Earth", "Air",  "Water", "Fire", "Earth",
                                          "Air",  "Water", "Fire", "Earth", "Air",  "Water"};

constexpr SignAttributeTable kColors = {"Red, Brown, Copper",
                                        "White",
                                        "Green",
                                        "Pink",
                                        "White",
                                        "Multicolored",
                                        "Black",
                                        "Reddish Brown",
                                        "Yellowish brown",
                                        "Multicolored",
                                        "Deep Brown",
                                        "Blue"};

constexpr SignAttributeTable kTypesOfSign = {"Movable", "Fixed",   "Mixed",   "Movable",
                                             "Fixed",   "Mixed",   "Movable", "Fixed",
                                             "Mixed",   "Movable", "Fixed",   "Mixed"};

constexpr SignAttributeTable kGenders = {"Male", "Female", "Female", "Female", "Male", "Female",
                                         "Male", "Female", "Male",   "Female", "Male", "Female"};

constexpr SignAttributeTable kBestPeriodsOfActivity = {
    "Night", "Night", "Night", "Night", "Day", "Day", "Day", "Day", "Night", "Night", "Day", "Day"};

constexpr SignAttributeTable kFruitfulness = {
    "Barren",        "Semi-Fruitful", "Barren",        "Fruitful", "Barren",        "Barren",
    "Semi-Fruitful", "Fruitful",      "Semi-Fruitful", "Barren",   "Semi-Fruitful", "Fruitful"};

constexpr SignAttributeTable kCastes = {"Kshatriya", "Vaisya", "Sudra", "Brahmana",
                                        "Kshatriya", "Vaisya", "Sudra", "Brahmana",
                                        "Kshatriya", "Vaisya", "Sudra", "Brahmana"};

constexpr SignAttributeTable kPositions = {"Dwara", "Bahya", "Garbha", "Dwara", "Bahya", "Garbha",
                                           "Dwara", "Bahya", "Garbha", "Dwara", "Bahya", "Garbha"};

constexpr SignAttributeTable kConstituentCharacters = {
    "Mineral (Dhatu)",   "Vegetable (Moola)", "Animal (Jeeva)",    "Mineral (Dhatu)",
    "Vegetable (Moola)", "Animal (Jeeva)",    "Mineral (Dhatu)",   "Vegetable (Moola)",
    "Animal (Jeeva)",    "Mineral (Dhatu)",   "Vegetable (Moola)", "Animal (Jeeva)"};

constexpr SignAttributeTable kLuckyDays = {"Monday, Tuesday",
                                           "Thursday, Friday",
                                           "Monday, Wednesday",
                                           "Monday, Thursday",
                                           "Sunday, Monday",
                                           "Wednesday, Friday",
                                           "Friday, Wednesday, Thursday",
                                           "Monday, Tuesday, Thursday",
                                           "Sunday, Thursday",
                                           "Saturday, Wednesday",
                                           "Thursday, Friday, Saturday",
                                           "Thursday, Monday, Tuesday"};

constexpr SignAttributeTable kLuckyNumbers = {"9, 1",       "2, 8",       "3, 7",       "2, 7, 9",
                                              "1, 4, 5, 9", "2, 3, 5, 6", "1, 2, 4",    "3, 7, 9",
                                              "3, 5, 6, 8", "6, 8, 9",    "2, 3, 7, 9", "1, 3, 4"};

constexpr SignAttributeTable kBestDirections = {"East", "South", "West", "North", "East", "South",
                                                "West", "North", "East", "South", "West", "North"};

constexpr SignAttributeTable kLuckyColors = {
    "Red, Brown, Copper",  "Pink, Green", "Yellow, Purple, Blue", "White, Red, Yellow",
    "Orange, Red, Green",  "Green",       "White, Green, Yellow", "Brown, Red, Yellow, White",
    "Yellow, Gray, Brown", "Black, Blue", "Blue, Black",          "Pink, Cream"};

constexpr SignAttributeTable kLuckyGemstones = {
    "Coral",   "Diamond", "Emerald",         "Pearl",         "Ruby",          "Emerald",
    "Diamond", "Coral",   "Yellow Sapphire", "Blue Sapphire", "Blue Sapphire", "Yellow Sapphire"};

constexpr SignAttributeTable kPartsOfTheBody = {"Head",
                                                "Face",
                                                "Shoulders",
                                                "Chest",
                                                "Heart & Stomach",
                                                "Abdomen",
                                                "Lower Abdomen & Groin",
                                                "External Genitalia",
                                                "Thighs",
                                                "Knees",
                                                "Calves",
                                                "Feet"};

constexpr SignAttributeTable kPhysiques = {"Short", "Short", "Even", "Even", "Tall",  "Tall",
                                           "Tall",  "Tall",  "Even", "Even", "Short", "Short"};

// Aquarius lists itself among its compatible signs.
constexpr SignAttributeTable kCompatibleWith = {"Leo, Sagittarius, Gemini, Aquarius, Libra",
                                                "Cancer, Virgo, Scorpio, Capricorn, Pisces",
                                                "Aries, Leo, Libra, Sagittarius, Aquarius",
                                                "Virgo, Scorpio, Capricorn, Pisces, Taurus",
                                                "Libra, Sagittarius, Aquarius, Aries, Gemini",
                                                "Scorpio, Capricorn, Pisces, Cancer",
                                                "Sagittarius, Aquarius, Aries, Gemini, Leo",
                                                "Capricorn, Pisces, Taurus, Cancer, Virgo",
                                                "Aquarius, Aries, Gemini, Leo, Libra",
                                                "Pisces, Taurus, Cancer, Virgo, Scorpio",
                                                "Aquarius, Libra, Gemini",
                                                "Taurus, Cancer, Virgo, Scorpio, Capricorn"};

constexpr SignAttributeTable kNotCompatibleWith = {
    "Scorpio, Pisces, Cancer",  "Gemini, Aquarius, Libra",  "Taurus, Virgo, Capricorn",
    "Aries, Leo, Sagittarius",  "Scorpio, Pisces, Cancer",  "Gemini, Aquarius, Libra",
    "Taurus, Virgo, Capricorn", "Aries, Leo, Sagittarius",  "Scorpio, Pisces, Cancer",
    "Gemini, Aquarius, Libra",  "Taurus, Virgo, Capricorn", "Aries, Leo, Sagittarius"};

// The five prediction paragraphs, each a single line of prose. The extra
// spaces in the Leo looks entry and in the Virgo and Scorpio love entries
// are deliberate, and every paragraph has a fixed length: when editing,
// change the wording, never the spacing or the length.

constexpr SignAttributeTable kLooks = {
    // Aries
    "You are short, with a lean, muscular build and a quick, energetic walk. Your complexion has a "
    "ruddy glow, your eyebrows are prominent and you may carry a small mark on the head or face.",

    // Taurus
    "You are short and sturdy, with a thick, strong neck and broad shoulders. Your face is "
    "pleasant and finely formed, with large, gentle eyes, full lips and a clear complexion that "
    "others admire.",

    // Gemini
    "You are tall slim and good looking. You may have curly hair and an elevated nose. Generally "
    "Geminians have attractive features.",

    // Cancer
    "You have a round face, a fair or pale complexion and a soft, gentle expression. Your upper "
    "body is full and your build tends to be even.",

    // Leo
    "You are tall  and strongly built, with broad shoulders and a dignified bearing. Your hair is "
    "thick, and your presence commands attention.",

    // Virgo
    "You are tall and slender, with neat, clear features and bright, intelligent eyes. You tend to "
    "look much younger than your real age.",

    // Libra
    "You are tall and well proportioned, with a graceful figure and a balanced face. A charming "
    "smile, sometimes with dimples, makes you a pleasure to see.",

    // Scorpio
    "You are tall with a strong, well knit build. Your eyes are deep and piercing, and your gaze "
    "is intense.",

    // Sagittarius
    "You have an even, well formed build with strong thighs and a long face. Your forehead is "
    "high, your eyes are bright and smiling, and you walk with a long, easy stride.",

    // Capricorn
    "You have a spare, bony frame and angular features. Your expression is serious, but you age "
    "slowly and well.",

    // Aquarius
    "You are short and firmly built, with well shaped calves and strong ankles. Your face is open "
    "and friendly, your eyes are clear and your style of dress is often a little unusual, which "
    "makes you stand out in any gathering.",

    // Pisces
    "You are short, with a soft and fleshy build and small hands and feet. Your large, dreamy eyes "
    "and gentle features give you a kind and rather faraway look.",
};

constexpr SignAttributeTable kNature = {
    // Aries
    "You are courageous and full of energy, a born pioneer who likes to be first in everything you "
    "attempt. Mars, your ruling planet, gives you drive, a competitive spirit and the confidence "
    "to take the lead when others hesitate. You are frank and direct, and you say what you think "
    "without weighing every word. Challenges excite you and you act quickly, often before you have "
    "thought it through. Patience is not your strong point, and routine work soon bores you. Your "
    "temper can flare up suddenly, but it cools just as fast and you do not hold grudges. You are "
    "generous with friends and protective of those who depend on you. As a fire sign, you bring "
    "warmth and enthusiasm to any group, and people follow you. You work best when you are free to "
    "start new projects and leave the finishing touches to others. Learning to pause before you "
    "act will turn your boldness into lasting success.",

    // Taurus
    "You are patient and steady, and once you set your mind on a goal you move towards it without "
    "haste and without giving up. Venus rules your sign, so you love beauty, comfort, good food, "
    "music and fine things of every kind. You are practical and sensible, with both feet firmly on "
    "the ground, as befits an earth sign, and you value security above adventure. People trust you "
    "because you keep your word and stay calm under strain. You are slow to anger, but when you "
    "are pushed too far your temper is fierce and hard to forget. You dislike sudden change and "
    "can be very stubborn about your views and habits. Your loyalty is deep and you hold on to the "
    "people and possessions you care for.",

    // Gemini
    "You are versatile and curious, with a quick mind that is always hunting for something new to "
    "learn. With Mercury as your ruler, you have a flair for words, and you can talk easily with "
    "people from every walk of life. You are witty, lively and good company, and you pick up new "
    "skills with surprising speed. Like the Twins of your sign, you have two sides, and your moods "
    "and opinions can change from one day to the next. You find it hard to stick with one task for "
    "long and may leave work half finished. Routine makes you restless, and you crave variety to "
    "feel alive. You enjoy reading, travel and conversation, and your mind stays young at every "
    "age.",

    // Cancer
    "You are sensitive and caring, and you feel the moods of people around you very deeply. The "
    "Moon rules your sign, so your own feelings rise and fall like the tides, and you may be "
    "cheerful one hour and withdrawn the next. Home and family mean everything to you, and you are "
    "strongly attached to your mother and to the place where you grew up. Like the Crab, you have "
    "a hard shell and a soft heart, and you retreat into that shell when you are hurt. Your memory "
    "is excellent, and you rarely forget either a kindness or a slight. You are thrifty, "
    "imaginative and intuitive, and you look after others with great tenderness.",

    // Leo
    "You are proud and generous, with a natural dignity that makes others look to you for "
    "leadership. The Sun, king of the planets, lends you warmth, self-confidence and a strong "
    "will. You like to be at the center of things, and you shine when you have an audience. You "
    "are loyal to your friends and open-handed with your time and money. Honor matters greatly to "
    "you, and you will not stoop to anything mean or petty. You expect respect and appreciation, "
    "and being ignored or criticized in public hurts you more than you show. At times you are "
    "vain, bossy and too fond of flattery. You enjoy drama, fine clothes and grand occasions. Your "
    "courage and sense of purpose carry you through difficulties that would stop others.",

    // Virgo
    "You are analytical and methodical, with a sharp eye for detail that misses very little. Under "
    "Mercury's rule, you have a clear, logical mind and a real talent for sorting, planning and "
    "improving things. You are modest and hardworking, and you would rather be useful than "
    "admired. You set high standards for yourself and for others, and you can become critical when "
    "things are not done properly. Worry is your weakness; you may fret over small matters and "
    "lose sleep over problems that never arrive. You are neat, orderly and careful with money. "
    "Health, diet and cleanliness interest you, and you often know more about them than those "
    "around you. You are a loyal friend who shows affection through practical help rather than "
    "grand words. Learning to accept imperfection in yourself and in others will bring you true "
    "peace of mind and happier relationships.",

    // Libra
    "You are fair-minded and diplomatic, and you always try to see both sides of a question before "
    "you decide. Venus, your ruler, blesses you with charm, good manners and a fine sense of "
    "beauty, art and design. Like the Balance of your sign, you seek harmony and you dislike "
    "quarrels, rudeness and ugly surroundings. You are sociable and courteous, and people find you "
    "easy to talk to. You work well in partnership and rarely feel complete on your own. Your "
    "weakness is indecision: you weigh every choice so carefully that the moment to act may pass. "
    "You may also yield too easily to keep the peace. Justice matters deeply to you, and you will "
    "speak up for anyone you feel has been treated unfairly. You enjoy comfort, good company, "
    "music, flowers and pleasant conversation.",

    // Scorpio
    "You are intense and determined, and once you decide on a course nothing turns you aside. "
    "Those born under this moon sign feel everything deeply but show very little on the surface. "
    "Mars rules your sign and gives you courage, stamina and a fighting spirit, while the water "
    "element makes your emotions strong and lasting. You are secretive about your own affairs yet "
    "skilled at uncovering the secrets of others. Your intuition is keen, and you quickly see "
    "through pretense. You are fiercely loyal to those you trust, but if you are betrayed you "
    "neither forgive nor forget. Jealousy and a desire for control can spoil your relationships if "
    "left unchecked. You have great powers of recovery and can rebuild your life after a crisis "
    "that would break others. Research, mystery and the hidden side of life attract you.",

    // Sagittarius
    "You are optimistic and freedom loving, and you face life with cheerful confidence. Jupiter, "
    "your ruling planet, gives you a generous heart, a love of learning and a deep interest in "
    "religion and philosophy. Like the Archer of your sign, you aim high, and your thoughts fly "
    "far beyond everyday life. You are honest and outspoken, sometimes so blunt that you hurt "
    "people without meaning to. Travel, sport and adventure appeal to you, and you hate being tied "
    "down. Your faith is strong, and your humor is always ready.",

    // Capricorn
    "You are ambitious and disciplined, and you climb steadily towards your goals one careful step "
    "at a time. Saturn, your ruling planet, makes you serious, patient and responsible beyond your "
    "years. You are practical and cautious, and you prefer proven methods to untested ideas. Hard "
    "work does not frighten you, and like the Crocodile of your sign, you wait calmly for your "
    "moment. You respect tradition, authority and order. You are reserved with strangers and may "
    "seem cold at first, but those who know you find a dry sense of humor and a steady friend. At "
    "times you can be too pessimistic or too concerned with status and money. Success often comes "
    "to you later in life, and it lasts because you have built it on solid ground.",

    // Aquarius
    "You are independent and original, a free thinker who follows your own path rather than the "
    "crowd. Saturn, your ruling planet, lends you a serious, steady mind, while the air element "
    "makes you sociable and full of ideas. You care about humanity as a whole and are drawn to "
    "causes that make the world fairer. Like the Water Carrier of your sign, you pour out "
    "knowledge and help for the benefit of all. You make friends easily but keep a certain "
    "distance, and you may appear detached. You are tolerant and open to new ideas, yet stubborn "
    "once you have made up your mind. Science, new inventions and unusual studies fascinate you.",

    // Pisces
    "You are compassionate and imaginative, with a gentle heart that feels the pain of others as "
    "if it were your own. From Jupiter, your ruler, you draw a spiritual and kindly outlook and a "
    "wish to help those in need. Your intuition is strong, and you often sense things that others "
    "miss. You are artistic and dreamy, and music, poetry and the sea can move you deeply. Like "
    "the Double Fish of your sign, you may be pulled in two directions and find it hard to decide. "
    "You are easily influenced and sometimes too trusting. When the world feels harsh, you tend to "
    "withdraw into your own thoughts. You need regular quiet time alone to restore your strength. "
    "You give freely and rarely ask for anything back.",
};

constexpr SignAttributeTable kCareerAndFinance = {
    // Aries
    "You do well in careers that need courage and quick action, such as the army, the police, "
    "surgery, engineering or sport. Money comes to you quickly, but it can go just as fast.",

    // Taurus
    "You prosper in banking, finance, agriculture, real estate and in trades that deal in luxury "
    "goods, jewelry, perfumes or fine foods. Your artistic taste may also lead you to music, "
    "singing or design. You earn steadily, save wisely and usually build comfortable wealth over "
    "the years.",

    // Gemini
    "You do well in careers that use words and wit, such as writing, journalism, teaching, sales, "
    "advertising and the media. Trade, brokerage and commission work also suit you. You may earn "
    "from two or more sources at the same time.",

    // Cancer
    "You are at home in nursing, catering, hotels, dairy, shipping, property and any work that "
    "entails caring for people. You are careful with money and like to keep savings for leaner "
    "times.",

    // Leo
    "You are a natural leader and do well in government service, administration, politics and "
    "management. The theater and the film world also attract you. You earn well but spend freely, "
    "especially on luxury and display.",

    // Virgo
    "You are skilled in music and dance. Medicine is also a very good profession. Publishing "
    "professional too are suitable for you.",

    // Libra
    "You are suited to law, diplomacy, fashion, design, the fine arts, cosmetics and public "
    "relations. Business partnerships bring you the best financial results.",

    // Scorpio
    "You are drawn to careers that probe beneath the surface, such as research, investigation, "
    "detective work, surgery, insurance, mining and the occult sciences. You handle other people's "
    "money well and may gain through inheritance, taxation or joint resources.",

    // Sagittarius
    "You do well in teaching, law, religion, publishing, banking and anything connected with "
    "travel or foreign lands. Jupiter's blessing brings you money through good fortune, but your "
    "open-handed nature means it seldom stays long in your hands.",

    // Capricorn
    "You rise high in administration, government posts, engineering, mining and large "
    "organizations. Your wealth grows slowly but surely through patient effort and thrift.",

    // Aquarius
    "Your gifts lie in science, technology, research, astrology and social reform. Jobs with "
    "groups, societies or charities also suit you. Money is less important to you than the meaning "
    "of your work.",

    // Pisces
    "Your calling lies in music, painting, poetry, medicine, hospital work, charity and spiritual "
    "work. You may also thrive by the sea, in shipping or fisheries. You earn enough, but you must "
    "guard against careless spending and lending.",
};

constexpr SignAttributeTable kLoveAndDomesticLife = {
    // Aries
    "You fall in love quickly and pursue the one you want with passion. You need a partner who can "
    "keep pace with you and give you room to be yourself. Impatience can cause quarrels, but you "
    "soon make up and forget.",

    // Taurus
    "You may not express your emotions but you are still a romantic at heart. You make good "
    "parents. You are very reliable in your relationships.",

    // Gemini
    "You need a partner who stimulates your mind as much as your heart. You enjoy flirting and "
    "variety, and may find it hard to settle down early. Once you commit, you keep home life "
    "lively with talk, humor and new plans.",

    // Cancer
    "You are a devoted partner and a loving, protective parent. Home is your true refuge, and you "
    "work hard to make it warm and secure. You need constant reassurance, and you may sulk when "
    "you feel neglected or misunderstood.",

    // Leo
    "You love in a grand, warm-hearted way, and you enjoy romance, gifts and generous gestures. "
    "You are loyal and expect the same loyalty in return. You want a partner you can be proud of "
    "and who admires you openly. You are a playful and doting parent. Your pride can make it hard "
    "for you to admit you were wrong in a quarrel.",

    // Virgo
    "You are shy in love and slow to reveal your feelings. You show affection through care and "
    "service.    Your critical eye may upset a sensitive partner.",

    // Libra
    "You are a true romantic and happiest when you share your life with a partner. You bring "
    "courtesy, charm and fairness to your relationships, and you work hard to keep the peace at "
    "home.",

    // Scorpio
    "You love with great intensity and total commitment.  Once you give your heart, you expect "
    "complete loyalty in return, and any hint of betrayal can rouse strong jealousy. You are "
    "protective of your family and guard your private life closely. Trust is the key to your "
    "happiness.",

    // Sagittarius
    "You value freedom even in love, and the one you choose must be a friend and a companion in "
    "adventure. You are honest and cheerful in your relationships, but you may put off commitment "
    "for years. Once settled, you fill your home with optimism and humor, and urge your children "
    "to explore the world.",

    // Capricorn
    "You are reserved in matters of the heart and take love seriously. You may marry late, once "
    "you have built a secure place in life, and you choose your partner with care and good sense. "
    "You are faithful and dutiful to your family. Though you rarely show your feelings openly, you "
    "provide for your loved ones steadily and well.",

    // Aquarius
    "You look for friendship first in love, and a partner must always respect your need for "
    "freedom. You are loyal and frank, but you can seem cool or distant when feelings run high.",

    // Pisces
    "You are deeply romantic and love with all your heart. You are gentle, faithful and ready to "
    "make sacrifices for the one you love, but you may idealize a partner and be hurt when reality "
    "falls short. Your home is a place of kindness, and you are a tender, understanding parent to "
    "your children.",
};

constexpr SignAttributeTable kHealth = {
    // Aries
    "You may be prone to blood circulation problems, head related illnesses and BP issues. Your "
    "eyes also may create problems.",

    // Taurus
    "Your face, throat and neck are delicate. Colds may settle there and harm your voice.",

    // Gemini
    "Your shoulders, arms and lungs need care. Nervous tension and overwork can disturb your "
    "breathing and sleep.",

    // Cancer
    "Your chest and stomach are sensitive areas, and digestive upsets are frequent when you are "
    "worried. Emotional stress tends to show up quickly in your physical health.",

    // Leo
    "Your heart and stomach need protection. Take good care of your back and spine, and avoid "
    "overexertion and rich, heavy meals.",

    // Virgo
    "Your intestine and liver may give you some problems. Else you enjoy sound health.",

    // Libra
    "Your lower abdomen and groin are vulnerable. Kidney and bladder ailments may also affect you.",

    // Scorpio
    "Your external genitalia and urinary system may trouble you at times. Piles and infections "
    "also need attention.",

    // Sagittarius
    "Your thighs and hips are your weak spots, and you may suffer from sciatica or sporting "
    "injuries. Jupiter also asks you to watch your liver and your weight.",

    // Capricorn
    "Your knees, bones and joints may trouble you. Rheumatism and stiffness can set in as you age.",

    // Aquarius
    "Your calves and ankles are subject to cramps, sprains and swelling. Poor circulation and "
    "varicose veins may trouble you, so keep active and avoid the cold.",

    // Pisces
    "Your feet are your weakest point, so choose comfortable shoes. Medicines and alcohol affect "
    "you strongly, and you may retain fluid.",
};

// Indexed by SignTable, in loading order.
constexpr SignAttributeTables kTables = {
    kVedicNames,
    FromSigns(kSignNames),
    FromSigns(kSignAbbrevs),
    kRulingPlanets,
    kSymbols,
    kElements,
    kColors,
    kTypesOfSign,
    kGenders,
    kBestPeriodsOfActivity,
    kFruitfulness,
    kCastes,
    kPositions,
    kConstituentCharacters,
    kLuckyDays,
    kLuckyNumbers,
    kBestDirections,
    kLuckyColors,
    kLuckyGemstones,
    kPartsOfTheBody,
    kPhysiques,
    kLooks,
    kNature,
    kCareerAndFinance,
    kLoveAndDomesticLife,
    kHealth,
    kCompatibleWith,
    kNotCompatibleWith,
};

constexpr bool EverySignFilledAndTailEmpty() {
    for (const SignAttributeTable& table : kTables) {
        for (int sign = 0; sign < 12; ++sign) {
            if (table[sign].empty()) {
                return false;
            }
        }
        if (!table[12].empty()) {
            return false;
        }
    }
    return true;
}
static_assert(EverySignFilledAndTailEmpty(),
              "every table needs twelve signs and an empty index 12");

} // namespace

const SignAttributeTables& LoadSignTables() {
    return kTables;
}

std::string_view SignTableEntry(SignTable table, int signIndex) {
    const int tableIndex = static_cast<int>(table);
    if (tableIndex < 0 || tableIndex >= kSignTableCount || signIndex < 0 ||
        signIndex >= kSignTableSize) {
        return {};
    }
    return kTables[tableIndex][signIndex];
}

} // namespace selmarind
