// What the printer cache asks of the spooler and of printer device contexts, behind one interface: the
// cache's rules are tested natively over a recorded stand-in, and the Windows build answers with WINSPOOL
// and GDI. With no printer installed every call answers empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/print/printer_cache/devmode.h"

namespace vorpex::print {

struct PrinterRecord {
    std::string name;
    std::string server;
    std::string share;
    std::string port;
    std::string driver;
    int64_t status = 0;
};

enum class DeviceCap { LogPixelsX, LogPixelsY, HorzRes, VertRes, HorzSize, VertSize, PhysicalWidth,
                       PhysicalHeight, PhysicalOffsetX, PhysicalOffsetY };

// DeviceCapabilities queries, with the size of one element of their answer.
enum class Capability { PaperNames, Papers, PaperSize, BinNames, Bins, Resolutions, Duplex };
size_t elementSize(Capability c);

struct CapabilityAnswer {
    int64_t count = 0;           // what the driver reports; 0 or less: nothing
    std::vector<uint8_t> data;   // count * elementSize bytes
};

// A face of a printer font enumeration and its font type bits (1 raster, 2 device, 4 TrueType).
struct PrinterFont {
    std::string name;
    int64_t type = 0;
};

class PrintPlatform {
public:
    virtual ~PrintPlatform() = default;
    // Local and connected printers; nothing when the call fails.
    virtual std::optional<std::vector<PrinterRecord>> enumPrinters() = 0;
    // The printer's current device mode from its driver.
    virtual std::optional<DevMode> loadDevMode(const std::string& printer) = 0;
    virtual intptr_t createDC(const std::string& printer, const DevMode& mode) = 0;
    virtual intptr_t resetDC(intptr_t dc, const DevMode& mode) = 0;
    virtual bool deleteDC(intptr_t dc) = 0;
    virtual int64_t deviceCaps(intptr_t dc, DeviceCap cap) = 0;
    virtual void setViewportOrigin(intptr_t dc, int64_t x, int64_t y) = 0;
    // The spooler's answers as numbers: a job id or a positive value on success.
    virtual int64_t startDoc(intptr_t dc, const std::string& name, const std::optional<std::string>& output) = 0;
    virtual int64_t endDoc(intptr_t dc) = 0;
    virtual int64_t abortDoc(intptr_t dc) = 0;
    virtual int64_t startPage(intptr_t dc) = 0;
    virtual int64_t endPage(intptr_t dc) = 0;
    // The default printer's name; "" when none or on failure.
    virtual std::string defaultPrinter() = 0;
    virtual CapabilityAnswer capability(const std::string& printer, const std::string& port, Capability c) = 0;
    virtual std::vector<PrinterFont> fonts(intptr_t dc) = 0;
    // The driver's own dialog over `current`; the edited mode when the user confirmed it.
    virtual std::optional<DevMode> propertiesDialog(const std::string& printer, intptr_t owner,
                                                    const DevMode& current) = 0;
    // One raw spool job of `data`; whether the data was written.
    virtual bool writeRaw(const std::string& printer, const std::string& document, const std::string& data) = 0;
};

PrintPlatform& printPlatform();
// Installs a platform (tests); nullptr goes back to the real one. The caller keeps it alive while installed.
void setPrintPlatform(PrintPlatform* platform);
PrintPlatform& systemPrintPlatform();

}  // namespace vorpex::print
