#include "calc_options.h"

#include "argument_text.h"
#include "base/eng_value.h"
#include "design_options.h"
#include "whole_entry.h"

namespace {

bool IsReadable(const std::string& argument) {
    return ReadEngValue(EntryTextFromArgument(argument).c_str()).readable;
}

std::string UnreadableMessage(const char* option, const std::string& argument) {
    return std::string(option) + ": \"" + argument + "\" holds no readable number";
}

}  // namespace

FilterEntries EntriesFromOptions(const CalcOptions& options) {
    FilterEntries entries;
    entries.sampleFreq = EntryTextFromArgument(options.sampleFreq.value_or(kDefaultSampleFreq));
    entries.gain = EntryTextFromArgument(options.gain);
    entries.extraZero = options.zeroFreq.has_value();
    entries.zeroFreq = EntryTextFromArgument(options.zeroFreq.value_or(""));
    entries.inverse = options.inverse;
    return entries;
}

std::optional<std::string> UnreadableEntryMessage(const CalcOptions& options) {
    if (options.lenient) {
        return std::nullopt;
    }
    if (options.sampleFreq && !IsReadable(*options.sampleFreq)) {
        return UnreadableMessage("--sample-freq", *options.sampleFreq);
    }
    if (!IsReadable(options.gain)) {
        return UnreadableMessage("--gain", options.gain);
    }
    if (options.zeroFreq && !options.zeroFreq->empty() && !IsReadable(*options.zeroFreq)) {
        return UnreadableMessage("--extra-zero", *options.zeroFreq);
    }
    return std::nullopt;
}

std::optional<std::string> PartlyReadCalcEntryMessage(const CalcOptions& options) {
    if (options.sampleFreq) {
        if (auto problem = PartlyReadEntryMessage("--sample-freq", *options.sampleFreq,
                                                  EntryKind::Frequency)) {
            return problem;
        }
    }
    return PartlyReadDesignEntryMessage(options.gain, options.zeroFreq);
}
