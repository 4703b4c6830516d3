#include "dialogue/prompts.h"
#include "tests/tools/scripted_user.h"

#include <QTest>
#include <algorithm>
#include <bit>
#include <string>
#include <vector>

using namespace velmora;

namespace {

// Each kind of prompt of a run, by the value it asks for. An "Again" prompt asks for a value a
// second time after its confirmation was answered with 0.
enum class Slot {
    count,
    startHeight,
    startHeightAgain,
    endHeight,
    endHeightAgain,
    startName,
    pointName,
    closingName,
    length,
    lengthAgain,
    heightDiff,
    heightDiffAgain,
    startHeightConfirmation,
    endHeightConfirmation,
    nameConfirmation,
    lengthConfirmation,
    heightDiffConfirmation,
    result,
    retry, // the answer to a refusal
};

struct Step {
    Slot slot;
    std::string answer;
};
using Script = std::vector<Step>;

// What a run makes of one awkward answer at one prompt.
enum class Outcome {
    refused,  // the prompt is asked again after the refusal; nothing is stored
    read,     // stored as the number the canonical text gives
    kept,     // a name, stored byte for byte
    accepted, // a confirmation that lets the value stand
    rejected, // a confirmation that asks for the value again
    ignored,  // a result prompt
    stopped,  // the count is beyond the record and the run ends
};

// A route of `points` points with every value confirmed at once.
Script plainScript(long points) {
    Script script{{Slot::count, std::to_string(points)},
                  {Slot::startHeight, "10"},
                  {Slot::startHeightConfirmation, ""},
                  {Slot::endHeight, "12"},
                  {Slot::endHeightConfirmation, ""}};
    for (long k = 0; k <= points; ++k) {
        script.push_back({k == 0 ? Slot::startName : Slot::pointName,
                          std::string("P").append(std::to_string(k))});
        script.push_back({Slot::nameConfirmation, ""});
        script.push_back({Slot::length, "100"});
        script.push_back({Slot::lengthConfirmation, ""});
        script.push_back({Slot::heightDiff, k == 0 ? "1.01" : "1"});
        script.push_back({Slot::heightDiffConfirmation, ""});
    }
    script.push_back({Slot::closingName, "BM2"});
    script.push_back({Slot::nameConfirmation, ""});
    for (long k = 0; k <= points + 1; ++k)
        script.push_back({Slot::result, ""});
    return script;
}

std::size_t firstOf(const Script& script, Slot slot) {
    const auto step = std::find_if(script.begin(), script.end(),
                                   [slot](const Step& s) { return s.slot == slot; });
    if (step == script.end())
        qFatal("the script has no such prompt");
    return static_cast<std::size_t>(step - script.begin());
}

// The prompt that asks for the value again, for the value prompt before a confirmation.
Slot againSlot(Slot value) {
    switch (value) {
    case Slot::startHeight:
        return Slot::startHeightAgain;
    case Slot::endHeight:
        return Slot::endHeightAgain;
    case Slot::length:
        return Slot::lengthAgain;
    case Slot::heightDiff:
        return Slot::heightDiffAgain;
    default:
        return value; // a name is asked again with its own prompt
    }
}

// The first confirmation after `value` answered with 0, and the value given once more.
Script withReentry(Script script, Slot value) {
    const std::size_t at = firstOf(script, value);
    const Step confirmation{script[at + 1].slot, "0"};
    script.insert(script.begin() + static_cast<long>(at) + 1,
                  {confirmation, {againSlot(value), script[at].answer}});
    return script;
}

// The plain script that asks `slot`: re-entry prompts need a rejected value first.
Script scriptAsking(Slot slot) {
    for (const Slot value : {Slot::startHeight, Slot::endHeight, Slot::length, Slot::heightDiff})
        if (slot == againSlot(value))
            return withReentry(plainScript(1), value);
    return plainScript(1);
}

// Gives `answer` at the first `slot` prompt in the way `outcome` needs to go on.
Script withAnswer(Script script, Slot slot, const std::string& answer, Outcome outcome) {
    const std::size_t at = firstOf(script, slot);
    const auto position = script.begin() + static_cast<long>(at);
    switch (outcome) {
    case Outcome::refused:
        script.insert(position, {{slot, answer}, {Slot::retry, "again"}});
        break;
    case Outcome::rejected: {
        const Step value = script[at - 1];
        script[at].answer = answer;
        script.insert(position + 1, {{againSlot(value.slot), value.answer}, {slot, ""}});
        break;
    }
    default:
        script[at].answer = answer;
    }
    return script;
}

struct Run {
    LevelingRoute route;
    std::string record;
};

// Plays the script into a run on `route` and returns what the user saw, ending with the error
// that stopped the run, if one did.
std::string runOn(LevelingRoute& route, const Script& script) {
    std::string answers;
    for (const Step& step : script)
        answers += step.answer + '\n';
    return playRun(route, answers);
}

// A record as an earlier run of three points left it: whatever a new run does not store must
// keep these values.
LevelingRoute earlierRoute() {
    static const LevelingRoute route = [] {
        Script script = plainScript(3);
        script[firstOf(script, Slot::startHeight)].answer = "250.5";
        LevelingRoute filled;
        runOn(filled, script);
        return filled;
    }();
    return route;
}

Run runScript(const Script& script) {
    Run result{earlierRoute(), {}};
    result.record = runOn(result.route, script);
    return result;
}

// The first difference between two records, or an empty text.
std::string difference(const LevelingRoute& a, const LevelingRoute& b) {
    const auto bits = [](float value) {
        return std::bit_cast<std::uint32_t>(value);
    };
    if (bits(a.startHeight) != bits(b.startHeight) || bits(a.endHeight) != bits(b.endHeight))
        return "benchmark heights";
    if (a.closingIndex != b.closingIndex)
        return "closingIndex";
    if (bits(a.misclosure) != bits(b.misclosure) ||
        bits(a.sumHeightDiff) != bits(b.sumHeightDiff) ||
        bits(a.totalLength) != bits(b.totalLength))
        return "misclosure or sums";
    if (a.adjustedHeights.size() != b.adjustedHeights.size() ||
        a.pointNames.size() != b.pointNames.size())
        return "table sizes";
    for (long k = 0; k < static_cast<long>(a.pointNames.size()); ++k) {
        if (bits(a.adjustedHeights.at(k)) != bits(b.adjustedHeights.at(k)))
            return "adjusted height " + std::to_string(k);
        if (a.pointNames.at(k) != b.pointNames.at(k))
            return "point name " + std::to_string(k);
    }
    return {};
}

long occurrences(const std::string& text, const std::string& part) {
    long count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// How a text reads where a number is wanted: the canonical text of the number it reads as, or
// why it is refused (quoted as the refusal quotes it).
struct NumberCase {
    Outcome outcome;
    std::string canonical; // Outcome::read
    std::string reason;    // Outcome::refused
};

std::string quoted(const std::string& shown) {
    return "“" + shown + "”";
}

NumberCase notANumber(const std::string& shown) {
    return {Outcome::refused, {}, quoted(shown) + std::string(prompts::notANumberReason)};
}

// One awkward answer and what it means as a number, as a count (where points is the N it gives)
// and as a confirmation.
struct Awkward {
    const char* label;
    std::string text;
    NumberCase number;
    NumberCase count;
    long points;
    bool readsAsZero;
};

std::vector<Awkward> awkwardAnswers() {
    std::string megabyteName;
    for (int i = 0; i < 512 * 1024; ++i)
        megabyteName += "\u0436"; // two bytes each
    std::string fortyCharacters;
    for (int i = 0; i < 40; ++i)
        fortyCharacters += "\u0436";
    const std::string nul("P\0"
                          "1",
                          3);
    const auto tooLarge = [](const std::string& text) {
        return NumberCase{
            Outcome::refused, {}, quoted(text) + std::string(prompts::tooLargeReason)};
    };
    const auto tooSmall = [](const std::string& text) {
        return NumberCase{
            Outcome::refused, {}, quoted(text) + std::string(prompts::tooSmallReason)};
    };
    const NumberCase points{Outcome::read, {}, {}};
    const std::string minusHalf = std::string("\u2212") + "0\u3002" + "5"; // as an IME types -0.5
    const NumberCase countStops{Outcome::stopped, {}, {}};
    return {
        {"decimal comma", "1,5", notANumber("1,5"), notANumber("1,5"), 0, false},
        {"blanks around", " 12.5 ", {Outcome::read, "12.5", {}}, points, 13, false},
        {"plus sign", "+3", {Outcome::read, "3", {}}, points, 3, false},
        {"minus zero", "-0", {Outcome::read, "-0.0", {}}, points, 0, true},
        {"beyond single", "1e39", tooLarge("1e39"), countStops, 0, false},
        {"below single", "1e-50", tooSmall("1e-50"), points, 0, false},
        {"beyond double", "1e309", tooLarge("1e309"), countStops, 0, false},
        {"below double", "-1e-400", tooSmall("-1e-400"), points, 0, false},
        {"infinity", "inf", notANumber("inf"), notANumber("inf"), 0, false},
        {"not a number", "NaN", notANumber("NaN"), notANumber("NaN"), 0, false},
        {"hexadecimal", "0x10", notANumber("0x10"), notANumber("0x10"), 0, false},
        {"Arabic-Indic digits", "\u0661\u0662", notANumber("\u0661\u0662"),
         notANumber("\u0661\u0662"), 0, false},
        {"full-width digits", "\uff11\uff12", {Outcome::read, "12", {}}, points, 12, false},
        {"full-width zero", "\uff10", {Outcome::read, "0", {}}, points, 0, true},
        {"full-width point, ideographic blanks",
         "\u3000\uff12\uff0e\uff15\u00a0",
         {Outcome::read, "2.5", {}},
         points,
         3,
         false},
        {"ideographic full stop, minus sign",
         minusHalf,
         {Outcome::read, "-0.5", {}},
         {Outcome::refused, {}, quoted(minusHalf) + std::string(prompts::negativeCountReason)},
         0,
         false},
        {"full-width comma", "1\uff0c5", notANumber("1\uff0c5"), notANumber("1\uff0c5"), 0, false},
        {"1 MB name", megabyteName, notANumber(fortyCharacters + "…"),
         notANumber(fortyCharacters + "…"), 0, false},
        {"tabs", "\tP\t1\t", notANumber("\tP\t1\t"), notANumber("\tP\t1\t"), 0, false},
        {"tab inside digits", "1\t2", notANumber("1\t2"), notANumber("1\t2"), 0, false},
        {"emoji", "\U0001F4CD BM1", notANumber("\U0001F4CD BM1"), notANumber("\U0001F4CD BM1"), 0,
         false},
        {"right-to-left", "\u05d0\u05d1 \u0627\u0644 7", notANumber("\u05d0\u05d1 \u0627\u0644 7"),
         notANumber("\u05d0\u05d1 \u0627\u0644 7"), 0, false},
        {"NUL", nul, notANumber(nul), notANumber(nul), 0, false},
        {"NUL after digits", std::string("12\0", 3), notANumber(std::string("12\0", 3)),
         notANumber(std::string("12\0", 3)), 0, false},
    };
}

bool isNumberSlot(Slot slot) {
    switch (slot) {
    case Slot::startHeight:
    case Slot::startHeightAgain:
    case Slot::endHeight:
    case Slot::endHeightAgain:
    case Slot::length:
    case Slot::lengthAgain:
    case Slot::heightDiff:
    case Slot::heightDiffAgain:
        return true;
    default:
        return false;
    }
}

bool isConfirmation(Slot slot) {
    return slot >= Slot::startHeightConfirmation && slot <= Slot::heightDiffConfirmation;
}

long nameIndex(Slot slot) {
    return slot == Slot::startName ? 0 : slot == Slot::pointName ? 1 : 2;
}

} // namespace

class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void everyPromptSurvivesAwkwardAnswers_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QByteArray>("canonical");
        QTest::addColumn<QByteArray>("reason");
        QTest::addColumn<int>("points");

        const std::vector<std::pair<Slot, const char*>> promptKinds = {
            {Slot::count, "count"},
            {Slot::startHeight, "Ha"},
            {Slot::startHeightAgain, "Ha again"},
            {Slot::endHeight, "Hb"},
            {Slot::endHeightAgain, "Hb again"},
            {Slot::startName, "name of A"},
            {Slot::pointName, "name of a point"},
            {Slot::closingName, "name of B"},
            {Slot::length, "length"},
            {Slot::lengthAgain, "length again"},
            {Slot::heightDiff, "height difference"},
            {Slot::heightDiffAgain, "height difference again"},
            {Slot::startHeightConfirmation, "Ha confirmation"},
            {Slot::endHeightConfirmation, "generic confirmation"},
            {Slot::nameConfirmation, "name confirmation"},
            {Slot::lengthConfirmation, "length confirmation"},
            {Slot::heightDiffConfirmation, "height difference confirmation"},
            {Slot::result, "result"},
        };
        const auto bytes = [](const std::string& text) {
            return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
        };
        for (const Awkward& awkward : awkwardAnswers()) {
            for (const auto& [slot, slotName] : promptKinds) {
                NumberCase expected{Outcome::ignored, {}, {}};
                if (slot == Slot::count)
                    expected = awkward.count;
                else if (isNumberSlot(slot))
                    expected = awkward.number;
                else if (isConfirmation(slot))
                    expected.outcome = awkward.readsAsZero ? Outcome::rejected : Outcome::accepted;
                else if (slot != Slot::result)
                    expected.outcome = Outcome::kept;
                QTest::addRow("%s: %s", slotName, awkward.label)
                    << static_cast<int>(slot) << bytes(awkward.text)
                    << static_cast<int>(expected.outcome) << bytes(expected.canonical)
                    << bytes(expected.reason) << static_cast<int>(awkward.points);
            }
        }
    }

    void everyPromptSurvivesAwkwardAnswers() {
        QFETCH(int, slot);
        QFETCH(QByteArray, answer);
        QFETCH(int, outcome);
        QFETCH(QByteArray, canonical);
        QFETCH(QByteArray, reason);
        QFETCH(int, points);
        const auto at = static_cast<Slot>(slot);
        const std::string text = answer.toStdString();
        const auto expected = static_cast<Outcome>(outcome);

        const Script plain =
            at == Slot::count && expected == Outcome::read ? plainScript(points) : scriptAsking(at);
        const Run plainRun = runScript(plain);
        QVERIFY2(plainRun.record.find("error") == std::string::npos, plainRun.record.c_str());
        const Run awkwardRun = runScript(withAnswer(plain, at, text, expected));

        LevelingRoute wanted = plainRun.route;
        switch (expected) {
        case Outcome::refused:
            QCOMPARE(occurrences(awkwardRun.record, "refuse " + reason.toStdString() + '\n'), 1L);
            break;
        case Outcome::read:
            if (at != Slot::count) {
                Script canonicalScript = plain;
                canonicalScript[firstOf(plain, at)].answer = canonical.toStdString();
                wanted = runScript(canonicalScript).route;
            }
            break;
        case Outcome::kept:
            wanted.pointNames.at(nameIndex(at)) = text;
            QVERIFY(awkwardRun.record.find("show pointNameField  " + text + '\n') !=
                    std::string::npos);
            break;
        case Outcome::accepted:
        case Outcome::ignored:
            QVERIFY(awkwardRun.record == plainRun.record);
            break;
        case Outcome::rejected:
            QVERIFY(awkwardRun.record.size() > plainRun.record.size());
            break;
        case Outcome::stopped:
            wanted = earlierRoute();
            QVERIFY(awkwardRun.record.ends_with("error " +
                                                std::string(prompts::overflowCountStart) + text +
                                                std::string(prompts::overflowCountEnd) + '\n'));
            break;
        }
        QVERIFY(awkwardRun.record.find("refuse") == std::string::npos ||
                expected == Outcome::refused);
        const std::string different = difference(awkwardRun.route, wanted);
        QVERIFY2(different.empty(), different.c_str());
    }
};

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_bad_input.moc"
