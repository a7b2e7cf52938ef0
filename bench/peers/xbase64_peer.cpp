// The punch import done by Xbase64 through its public API: a DBF with an NTX index (an NDX index when
// asked with "ndx"), seek, append when absent. Usage: bench_peer_xbase64 <dir> [ntx|ndx]
// Debian 12's libxbase64 3.1.2 fails here on x86_64 (appends answer XB_SEEK_ERROR, FindKey on a new NTX
// crashes); the run script then reports the peer as failed.
#include <xbase64/xbase64.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "../import/punch_files.h"
#include "../import/run_timer.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::filesystem::path dir = argv[1];
    const bool ndx = argc > 2 && std::strcmp(argv[2], "ndx") == 0;
    const bench::RunTimer timer;
    xbXBase x;
    xbDbf dbf(&x);
    const std::string table = (dir / "xbchecadas.dbf").string();
    const std::string index = (dir / (ndx ? "xbchecadas.ndx" : "xbchecadas.ntx")).string();
    xbSchema fields[] = {{"EMPLEADO", XB_NUMERIC_FLD, 6, 0},
                         {"FECHA", XB_CHAR_FLD, 10, 0},
                         {"HORA", XB_CHAR_FLD, 8, 0},
                         {"", 0, 0, 0}};
    if (!std::filesystem::exists(table)) {
        if (dbf.CreateDatabase(table.c_str(), fields, XB_OVERLAY) != XB_NO_ERROR) return 1;
    } else if (dbf.OpenDatabase(table.c_str()) != XB_NO_ERROR) {
        return 1;
    }
    dbf.AutoLockOff();
    std::unique_ptr<xbIndex> ix;
    if (ndx)
        ix = std::make_unique<xbNdx>(&dbf);
    else
        ix = std::make_unique<xbNtx>(&dbf);
    // The index is made anew at every import, as the program does.
    if (ix->CreateIndex(index.c_str(), "STR(EMPLEADO,6)+FECHA+HORA", XB_NOT_UNIQUE, XB_OVERLAY) != XB_NO_ERROR) {
        std::fprintf(stderr, "CreateIndex failed\n");
        return 1;
    }
    if (dbf.NoOfRecords() > 0 && ix->ReIndex() != XB_NO_ERROR) return 1;
    const short fEmp = dbf.GetFieldNo("EMPLEADO"), fFecha = dbf.GetFieldNo("FECHA"), fHora = dbf.GetFieldNo("HORA");
    long added = 0;
    bench::forEachPunch(dir, [&](const char* key, int) {
        if (ix->FindKey(key) == XB_FOUND) return;
        char emp[7], fecha[11], hora[9];
        std::memcpy(emp, key, 6);
        emp[6] = 0;
        std::memcpy(fecha, key + 6, 10);
        fecha[10] = 0;
        std::memcpy(hora, key + 16, 8);
        hora[8] = 0;
        dbf.BlankRecord();
        dbf.PutField(fEmp, emp);
        dbf.PutField(fFecha, fecha);
        dbf.PutField(fHora, hora);
        if (dbf.AppendRecord() == XB_NO_ERROR) ++added;
    });
    dbf.CloseDatabase();
    timer.print(added);
    return 0;
}
