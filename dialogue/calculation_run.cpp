#include "dialogue/calculation_run.h"

#include "core/adjustment.h"
#include "core/number_reading.h"
#include "core/number_text.h"
#include "dialogue/prompts.h"
#include "dialogue/shortened_text.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

namespace velmora {

namespace {

std::string quoted(std::string_view text) {
    return "“" + shortened(text) + "”";
}

template <class T>
std::string refusalReason(const Answer& answer, const NumberReading<T>& reading) {
    if (answer.cancelled)
        return std::string(prompts::cancelledNumberReason);
    switch (reading.problem) {
    case NumberProblem::empty:
        return std::string(prompts::emptyNumberReason);
    case NumberProblem::outOfRange:
        return quoted(answer.text) + std::string(std::isinf(reading.value)
                                                     ? prompts::tooLargeReason
                                                     : prompts::tooSmallReason);
    case NumberProblem::notANumber:
    case NumberProblem::none:
        break;
    }
    return quoted(answer.text) + std::string(prompts::notANumberReason);
}

// Half-way counts go to the even neighbour: 2.5 points make 2.
double roundHalfToEven(double value) {
    if (std::abs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

// The user's side of the run: prompts, refusals and the fields.
class Dialogue {
public:
    Dialogue(Prompter& prompter, FieldWriter& fields)
        : prompter_(prompter)
        , fields_(fields) {}

    void show(DisplayField field, std::string_view text) { fields_.show(field, text); }

    // A cancelled prompt gives the empty text, as for a name left empty.
    std::string askText(std::string_view message) { return prompter_.ask(message).text; }

    // Asks until the answer reads as a single; an answer that does not is never taken as 0.
    float askSingle(std::string_view message) {
        for (;;) {
            const Answer answer = prompter_.ask(message);
            const NumberReading<float> reading = readSingle(answer.text);
            if (reading)
                return reading.value;
            refuse(refusalReason(answer, reading));
        }
    }

    // N + 1, rounded: the index of the closing benchmark. The count is read in double precision,
    // so that the rounding sees the number as typed. A count beyond a double's range is no
    // refusal of its own: as the infinity or zero it reads as, it is beyond the record, below 0,
    // or rounds to no points, like any count of that size.
    std::int16_t askClosingIndex() {
        for (;;) {
            const Answer answer = prompter_.ask(prompts::countPrompt);
            const NumberReading<double> reading = readDouble(answer.text);
            if (!reading && reading.problem != NumberProblem::outOfRange) {
                refuse(refusalReason(answer, reading));
                continue;
            }
            const double closingIndex = roundHalfToEven(reading.value + 1.0);
            if (closingIndex < 1.0) {
                refuse(quoted(answer.text) + std::string(prompts::negativeCountReason));
                continue;
            }
            if (closingIndex > std::numeric_limits<std::int16_t>::max())
                throw ArithmeticError(std::string(prompts::overflowCountStart) +
                                      shortened(answer.text) +
                                      std::string(prompts::overflowCountEnd));
            return static_cast<std::int16_t>(closingIndex);
        }
    }

    // Only an answer that reads as the number 0 rejects the value; anything else accepts it.
    bool confirmed(std::string_view confirmation) {
        const NumberReading<float> reading = readSingle(prompter_.ask(confirmation).text);
        return !(reading && reading.value == 0.0f);
    }

private:
    void refuse(const std::string& reason) {
        if (!prompter_.offerRetry(reason))
            throw Abandoned(std::string(prompts::abandonedRun));
    }

    Prompter& prompter_;
    FieldWriter& fields_;
};

// How an entered value is confirmed, and asked for again when the user says it is wrong.
struct Confirmation {
    std::string_view first;   // the first confirmation prompt
    std::string_view later;   // the confirmation prompt after a rejection
    std::string_view reentry; // the prompt that asks for the value again
    bool clearsField;         // the echo is emptied before the value is asked again
};

// Asks for a value, stores and echoes it, and repeats until the user confirms it; the accepted
// echo is written once more before the run goes on.
template <class T, class Ask, class Echo>
void enterConfirmed(Dialogue& dialogue, std::string_view prompt, const Confirmation& confirmation,
                    DisplayField field, T& slot, Ask ask, Echo echo) {
    slot = ask(prompt);
    std::string shown = echo(slot);
    dialogue.show(field, shown);
    std::string_view confirmationPrompt = confirmation.first;
    while (!dialogue.confirmed(confirmationPrompt)) {
        confirmationPrompt = confirmation.later;
        if (confirmation.clearsField)
            dialogue.show(field, "");
        slot = ask(confirmation.reentry);
        shown = echo(slot);
        dialogue.show(field, shown);
    }
    dialogue.show(field, shown);
}

// Appended rather than added: at -O3, GCC 12 falsely reports an overlapping copy (-Wrestrict) for a
// literal added to a temporary string, which would fail the optimised build.
std::string afterBlanks(std::string_view blanks, std::string_view text) {
    std::string echo(blanks);
    echo += text;
    return echo;
}

std::string heightEcho(float height) {
    return afterBlanks(" ", fixedText(height, 3));
}
std::string nameEcho(const std::string& name) {
    return afterBlanks(" ", name);
}
std::string lengthEcho(float length) {
    return afterBlanks("  ", generalText(length));
}
std::string heightDiffEcho(float heightDiff) {
    return afterBlanks(" ", generalText(heightDiff));
}

// A prompt with the point or section number inside, built anew for every section into the same
// buffer.
class NumberedPrompt {
public:
    NumberedPrompt(std::string_view start, std::string_view end)
        : start_(start)
        , end_(end) {}

    const std::string& operator()(long number) {
        return text_.assign(start_).append(integerText(number)).append(end_);
    }

private:
    std::string_view start_;
    std::string_view end_;
    std::string text_;
};

// Counts that do not fit the driver's own answers are the driver's fault: nothing the user could
// do would mend them, so they stop the run before the record is touched.
void checkStationCounts(const StationCounts& counts, std::int16_t closingIndex) {
    if (!counts.present())
        return;
    if (counts.size() != static_cast<std::size_t>(closingIndex) + 1)
        throw std::invalid_argument("station counts for another number of points");
    for (long i = 1; i <= closingIndex; ++i)
        if (counts.at(i) < 1 || counts.at(i) > mostSectionStations)
            throw std::invalid_argument("a section's station count out of range");
}

} // namespace

void run(LevelingRoute& route, Prompter& prompter, FieldWriter& fields) {
    run(route, prompter, fields, StationCounts());
}

void run(LevelingRoute& route, Prompter& prompter, FieldWriter& fields,
         StationCounts stationCounts) {
    Dialogue dialogue(prompter, fields);
    const auto askSingle = [&](std::string_view message) {
        return dialogue.askSingle(message);
    };
    const auto askText = [&](std::string_view message) {
        return dialogue.askText(message);
    };

    const std::int16_t closingIndex = dialogue.askClosingIndex();
    checkStationCounts(stationCounts, closingIndex);
    dialogue.show(DisplayField::countField, std::string(prompts::countLineStart) +
                                                integerText(closingIndex - 1) +
                                                std::string(prompts::countLineEnd));
    SectionMeasurements sections = startRoute(route, closingIndex);
    sections.stationCounts = std::move(stationCounts);

    enterConfirmed(dialogue, prompts::startHeightPrompt,
                   {prompts::startHeightConfirmation, prompts::genericConfirmation,
                    prompts::startHeightReentryPrompt, false},
                   DisplayField::startHeightField, route.startHeight, askSingle, heightEcho);
    enterConfirmed(dialogue, prompts::endHeightPrompt,
                   {prompts::genericConfirmation, prompts::genericConfirmation,
                    prompts::endHeightReentryPrompt, false},
                   DisplayField::endHeightField, route.endHeight, askSingle, heightEcho);

    route.sumHeightDiff = 0.0f;
    route.totalLength = 0.0f;
    NumberedPrompt pointNamePrompt(prompts::pointNamePromptStart, prompts::pointNamePromptEnd);
    NumberedPrompt lengthPrompt(prompts::lengthPromptStart, prompts::lengthPromptEnd);
    NumberedPrompt heightDiffPrompt(prompts::heightDiffPromptStart, prompts::heightDiffPromptEnd);
    for (long k = 0; k < closingIndex; ++k) {
        const std::string_view namePrompt =
            k == 0 ? prompts::startNamePrompt : std::string_view(pointNamePrompt(k));
        enterConfirmed(
            dialogue, namePrompt,
            {prompts::genericConfirmation, prompts::genericConfirmation, namePrompt, true},
            DisplayField::pointNameField, route.pointNames.at(k), askText, nameEcho);
        enterConfirmed(dialogue, lengthPrompt(k + 1),
                       {prompts::lengthConfirmation, prompts::lengthConfirmation,
                        prompts::lengthReentryPrompt, true},
                       DisplayField::sectionLengthField, sections.sectionLengths.at(k + 1),
                       askSingle, lengthEcho);
        enterConfirmed(dialogue, heightDiffPrompt(k + 1),
                       {prompts::heightDiffConfirmation, prompts::heightDiffConfirmation,
                        prompts::heightDiffReentryPrompt, true},
                       DisplayField::heightDiffField, sections.heightDiffs.at(k + 1), askSingle,
                       heightDiffEcho);
        accumulateSection(route, sections, k + 1);
    }
    enterConfirmed(dialogue, prompts::closingNamePrompt,
                   {prompts::genericConfirmation, prompts::genericConfirmation,
                    prompts::closingNamePrompt, true},
                   DisplayField::pointNameField, route.pointNames.at(closingIndex), askText,
                   nameEcho);

    const float misclosureMillimetres = computeMisclosure(route);
    dialogue.show(DisplayField::misclosureField,
                  afterBlanks(" ", roundedFixedText(misclosureMillimetres, 2)) +
                      std::string(prompts::millimetreSuffix));
    dialogue.show(DisplayField::sectionLengthField, lengthEcho(route.totalLength));
    distribute(route, sections);
    route.resultsReached = true;
    route.sections = std::move(sections);

    for (long k = 0; k <= closingIndex; ++k) {
        dialogue.askText(prompts::resultPrompt);
        dialogue.show(DisplayField::resultNameField, "  " + route.pointNames.at(k));
        dialogue.show(DisplayField::resultHeightField,
                      roundedFixedText(route.adjustedHeights.at(k), 3));
    }
}

} // namespace velmora
