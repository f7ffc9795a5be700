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
        request.size = ToleranceDb{*choice.toleranceDb};
    } else if (choice.sections) {
        request.size = SectionCount{*choice.sections};
    }
    request.extraZero = values.extraZeroValue;
    request.rumble = choice.rumble;
    return request;
}

CalculationValues ValuesOf(const Design& design) {
    return {design.samplingFrequency, design.gain, design.extraZero,
            design.direction == Direction::Recording ? 1 : 0};
}

DesignUnderTest UnderTest(const Design& design) {
    return {design.cascade, design.samplingFrequency, design.target};
}

std::string CurveAndDirection(const Design& design) {
    return design.curveName +
           (design.direction == Direction::Recording ? ", recording" : ", playback");
}

