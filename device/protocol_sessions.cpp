#include "device/protocol_sessions.h"

#include <algorithm>

#include "device/output_reports.h"

namespace qx {
namespace {
unsigned FrameCount(std::size_t reports) { return static_cast<unsigned>((reports + 1) * kFeatureFrameReport); }

// A frame goes out as whole 64-byte reports. One without any would reach the manager with a count
// of 64 and be taken for a command, so it is not sent at all.
void SendFrame(HidDeviceManager& manager, int index, const std::vector<uint8_t>& frame) {
    const std::size_t reports = frame.size() / kFeatureFrameReport;
    if (reports == 0) return;
    manager.SendFeatureFrame(frame, FrameCount(reports), index, true);
}

void Write(HidDeviceManager& manager, int index, int deviceType, OutputReport report) {
    if (deviceType == 6) {
        manager.WriteReportAndRead(report, index);
    } else {
        manager.WriteReport(report, index);
    }
}

void Pause(HidDeviceManager& manager, unsigned ms) { manager.Clock().Pause(ms); }
}  // namespace

void SendFeatureCommand(HidDeviceManager& manager, int index, const FeatureCommand& command) {
    manager.SendFeatureFrame(command, static_cast<unsigned>(kFeatureReportSize), index, true);
}

void SendFeatureFrameSession(HidDeviceManager& manager, int index, const FeatureCommand& announce,
                             const std::vector<uint8_t>& frame) {
    SendFeatureCommand(manager, index, MakeFeatureCommand(kFeatureStart));
    SendFeatureCommand(manager, index, announce);
    SendFrame(manager, index, frame);
    SendFeatureCommand(manager, index, MakeFeatureCommand(kFeatureSave));
    SendFeatureCommand(manager, index, MakeFeatureCommand(kFeatureEnd));
}

void SendType3ModeSession(HidDeviceManager& manager, int index, int profile, uint8_t mode) {
    SendFeatureCommand(manager, index, MakeFeatureCommand(kFeatureStart));
    SendFeatureCommand(manager, index,
                       MakeFeatureCommand(kFeatureAnnounceLighting, static_cast<uint8_t>(profile), kType3ModeReports));
    manager.SendFeatureFrame(BuildType3ModeReport(mode), static_cast<unsigned>(kFeatureReportSize), index, false);
    SendFeatureCommand(manager, index, MakeFeatureCommand(kFeatureSave));
    SendFeatureCommand(manager, index, MakeFeatureCommand(kFeatureEnd));
}

void SendFeatureMacroSession(HidDeviceManager& manager, int index, const std::vector<uint8_t>& frame) {
    const std::size_t reports = frame.size() / kFeatureFrameReport;
    SendFeatureCommand(manager, index, MakeFeatureCommand(kFeatureMacroStart));
    SendFeatureCommand(manager, index, MakeFeatureCommand(kFeatureAnnounceMacros, 0, static_cast<uint8_t>(reports)));
    Pause(manager, kMacroUploadPauseMs);
    SendFrame(manager, index, frame);
    Pause(manager, kMacroUploadPauseMs);
    SendFeatureCommand(manager, index, MakeFeatureCommand(kFeatureSave));
}

void SendOutputLightMode(HidDeviceManager& manager, int index, int deviceType, uint8_t mode) {
    if (deviceType == 6) {
        manager.Clock().RequestTimerResolution(1);
        Write(manager, index, deviceType, BuildOutputStart());
        Pause(manager, kOutputChunkPauseMs);
        Write(manager, index, deviceType, BuildOutputLightEffect(deviceType, mode));
        Pause(manager, kOutputChunkPauseMs);
        Write(manager, index, deviceType, BuildOutputEnd());
        return;
    }
    Write(manager, index, deviceType, BuildOutputStart());
    Write(manager, index, deviceType, BuildOutputLightEffect(deviceType, mode));
    Write(manager, index, deviceType, BuildOutputEnd());
}

void SendOutputColourTable(HidDeviceManager& manager, int index, int deviceType, const std::vector<uint8_t>& table) {
    if (deviceType == 6) manager.Clock().RequestTimerResolution(1);
    Write(manager, index, deviceType, BuildOutputStart());
    if (deviceType == 6) {
        Pause(manager, kOutputChunkPauseMs);
        for (unsigned i = 0; i < 16; ++i) {
            Write(manager, index, deviceType, BuildOutputChunk(kOutputColourChunk, 0x18, 24 * i, table, 24));
            Pause(manager, kOutputChunkPauseMs);
        }
    } else {
        for (unsigned i = 0; i < 7; ++i) {
            const uint8_t length = i < 6 ? 0x38 : 0x30;
            Write(manager, index, deviceType, BuildOutputChunk(kOutputColourChunk, length, 56 * i, table, 56));
            Pause(manager, kOutputChunkPauseMs);
        }
    }
    Write(manager, index, deviceType, BuildOutputEnd());
}

void SendOutputKeyTable(HidDeviceManager& manager, int index, int deviceType, const std::vector<uint8_t>& table) {
    Write(manager, index, deviceType, BuildOutputStart());
    if (deviceType == 6) {
        Pause(manager, kOutputChunkPauseMs);
        for (unsigned i = 0; i < 16; ++i) {
            Write(manager, index, deviceType, BuildOutputChunk(kOutputKeyMapChunk, 0x18, 24 * i, table, 24));
            Pause(manager, kOutputChunkPauseMs);
        }
    } else {
        for (unsigned i = 0; i < 6; ++i) {
            Write(manager, index, deviceType, BuildOutputChunk(kOutputKeyMapChunk, 0x38, 56 * i, table, 56));
            Pause(manager, kOutputChunkPauseMs);
        }
        Write(manager, index, deviceType, BuildType5FixedKeyMapChunk());
    }
    Write(manager, index, deviceType, BuildOutputEnd());
}

void SendOutputMacroStream(HidDeviceManager& manager, int index, int deviceType, const std::vector<uint8_t>& stream) {
    // Every report of the macro upload waits for an answer, on both types.
    auto writeAndRead = [&](OutputReport report) { manager.WriteReportAndRead(report, index); };
    writeAndRead(BuildOutputStart());
    if (deviceType == 6) Pause(manager, kOutputChunkPauseMs);
    const std::size_t chunk = OutputChunkSize(deviceType);
    for (std::size_t offset = 0; offset <= stream.size(); offset += chunk) {
        const std::size_t length = std::min(stream.size() - offset, chunk);
        writeAndRead(BuildOutputChunk(kOutputMacroChunk, static_cast<uint8_t>(length), static_cast<unsigned>(offset),
                                      stream, length));
        if (deviceType == 6) Pause(manager, kOutputChunkPauseMs);
    }
    Pause(manager, kOutputChunkPauseMs);
    writeAndRead(BuildOutputEnd());
}

}  // namespace qx
