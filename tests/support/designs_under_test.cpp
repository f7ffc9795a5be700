#include "designs_under_test.h"

#include <stdexcept>
#include <utility>

#include "curves/curve_entry.h"

Design DesignOrThrow(const DesignRequest& request) {
    Result<Design> design = MakeDesign(request);
    if (!design.ok()) {
        throw std::runtime_error("MakeDesign refused: " + design.error());
    }
    return std::move(design).value();
}

Design RiaaDesign(const RiaaSettings& settings) {
    DesignRequest request;
    request.samplingFrequency = settings.samplingFrequency;
    request.gain = settings.gain;
    request.extraZero = settings.extraZero;
    request.direction = settings.recording ? Direction::Recording : Direction::Playback;
    request.method = settings.method;
    request.size = settings.size;
    request.gainReference = settings.gainReference;
    return DesignOrThrow(request);
}

RiaaCoefficients RiaaRecord(double samplingFrequency, double gain, double extraZero,
                            bool recording) {
    return *RiaaDesign({samplingFrequency, gain, extraZero, recording}).record;
}

Design CurveDesign(const char* entry, double samplingFrequency, DesignMethod method,
                   DesignSize size, bool recording) {
    DesignRequest request;
    request.curve = ReadCurveEntry(entry);
    request.samplingFrequency = samplingFrequency;
    request.method = method;
    request.size = size;
    request.direction = recording ? Direction::Recording : Direction::Playback;
    return DesignOrThrow(request);
}
