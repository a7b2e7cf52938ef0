// A printer platform that plays one or more recorded printers: their list, drivers' device modes of any size,
// device capabilities, DCs (remembering their origin) and spooler calls, for the native tests of the printer
// cache and of what stands on it.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "framework/print/printer_cache/print_platform.h"

namespace vorpex::print {

// A driver record: `size` bytes of public part (not 156), `extra` private bytes filled with a pattern.
inline std::vector<uint8_t> driverRecord(uint16_t size, uint16_t extra, uint32_t fields) {
    DevMode m = DevMode::blank(size, extra);
    m.setFields(fields);
    std::memcpy(m.data(), "Recorded", 8);
    for (uint16_t i = 0; i < extra; ++i) m.data()[size + i] = static_cast<uint8_t>(0xA0 + i);
    m.writeShort(dm::kCopies, 1);
    return {m.data(), m.data() + m.size()};
}

class RecordedPrinter final : public PrintPlatform {
public:
    std::vector<PrinterRecord> printers;
    std::map<std::string, std::vector<uint8_t>> records;  // per printer, as the driver hands it out
    std::map<DeviceCap, int64_t> caps{{DeviceCap::LogPixelsX, 600},      {DeviceCap::LogPixelsY, 600},
                                      {DeviceCap::HorzRes, 4760},        {DeviceCap::VertRes, 6779},
                                      {DeviceCap::HorzSize, 201},        {DeviceCap::VertSize, 287},
                                      {DeviceCap::PhysicalWidth, 4960},  {DeviceCap::PhysicalHeight, 7016},
                                      {DeviceCap::PhysicalOffsetX, 100}, {DeviceCap::PhysicalOffsetY, 118}};
    std::map<intptr_t, std::pair<int64_t, int64_t>> origins;
    std::vector<intptr_t> liveDCs, deleted;
    std::vector<std::string> events;
    std::map<Capability, CapabilityAnswer> answers;
    std::vector<PrinterFont> fontList;
    int loads = 0;
    intptr_t next = 700;

    RecordedPrinter() { setPrintPlatform(this); }
    ~RecordedPrinter() override { setPrintPlatform(nullptr); }

    std::optional<std::vector<PrinterRecord>> enumPrinters() override { return printers; }
    std::optional<DevMode> loadDevMode(const std::string& name) override {
        ++loads;
        auto it = records.find(name);
        if (it == records.end()) return std::nullopt;
        return DevMode::copyOf(it->second.data(), it->second.size());
    }
    intptr_t createDC(const std::string&, const DevMode& mode) override {
        events.push_back("create copies=" + std::to_string(mode.readShort(dm::kCopies)));
        liveDCs.push_back(next);
        return next++;
    }
    intptr_t resetDC(intptr_t dc, const DevMode&) override {
        origins.erase(dc);  // the system resets the origin with the DC
        return dc;
    }
    bool deleteDC(intptr_t dc) override {
        deleted.push_back(dc);
        std::erase(liveDCs, dc);
        return true;
    }
    int64_t deviceCaps(intptr_t, DeviceCap cap) override { return caps[cap]; }
    void setViewportOrigin(intptr_t dc, int64_t x, int64_t y) override { origins[dc] = {x, y}; }
    int64_t startDoc(intptr_t, const std::string& name, const std::optional<std::string>& output) override {
        events.push_back("doc " + name + (output ? " to " + *output : ""));
        return 12;
    }
    int64_t endDoc(intptr_t) override { return 1; }
    int64_t abortDoc(intptr_t) override { return 1; }
    int64_t startPage(intptr_t dc) override {
        origins.erase(dc);
        return 1;
    }
    int64_t endPage(intptr_t) override { return 1; }
    std::string defaultPrinter() override { return printers.empty() ? "" : printers.back().name; }
    CapabilityAnswer capability(const std::string&, const std::string&, Capability c) override { return answers[c]; }
    std::vector<PrinterFont> fonts(intptr_t) override { return fontList; }
    std::optional<DevMode> propertiesDialog(const std::string&, intptr_t, const DevMode& current) override {
        DevMode edited = current;
        edited.writeShort(dm::kOrientation, 2);
        return edited;
    }
    bool writeRaw(const std::string& printer, const std::string& doc, const std::string& data) override {
        events.push_back("raw " + printer + " " + doc + " " + std::to_string(data.size()));
        return true;
    }
};

}  // namespace vorpex::print
