#include "design_method.h"

DesignRequest RequestOf(const DesignChoice& choice, const CalculationValues& values) {
    DesignRequest request;
    request.curve = choice.curve;
    request.samplingFrequency = values.samplingFrequency;
    request.gain = values.gain;
    request.gainReference = choice.normalize;
    request.direction = values.inverse != 0 ? Direction::Recording : Direction::Playback;
    request.method = choice.method;
    if (choice.toleranceDb) {
        request.size = ToleranceDb{*choice.toleranceDb, choice.closestWhereUnmet};
    } else if (choice.sections) {
        request.size = SectionCount{*choice.sections};
    }
    request.extraZero = values.extraZeroValue;
    request.rumble = choice.rumble;
    return request;
}
