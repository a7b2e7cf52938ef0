// The punch import done by SQLite through its C API: one transaction, a UNIQUE index on the same
// 24-character key, INSERT OR IGNORE. Usage: bench_peer_sqlite <dir>  (prints wall and processor seconds, rows added).
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "../import/punch_files.h"
#include "../import/run_timer.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::filesystem::path dir = argv[1];
    const bench::RunTimer timer;
    sqlite3* db = nullptr;
    if (sqlite3_open((dir / "checadas.sqlite").string().c_str(), &db) != SQLITE_OK) return 1;
    const char* schema =
        "CREATE TABLE IF NOT EXISTS checadas(empleado INTEGER, fecha TEXT, hora TEXT, k TEXT);"
        "CREATE UNIQUE INDEX IF NOT EXISTS checadas_k ON checadas(k);"
        "BEGIN;";
    if (sqlite3_exec(db, schema, nullptr, nullptr, nullptr) != SQLITE_OK) return 1;
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT OR IGNORE INTO checadas VALUES(?,?,?,?)", -1, &insert, nullptr);
    long added = 0;
    bench::forEachPunch(dir, [&](const char* key, int badge) {
        sqlite3_bind_int(insert, 1, badge);
        sqlite3_bind_text(insert, 2, key + 6, 10, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, key + 16, 8, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, key, 24, SQLITE_TRANSIENT);
        if (sqlite3_step(insert) == SQLITE_DONE) added += sqlite3_changes(db);
        sqlite3_reset(insert);
    });
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    timer.print(added);
    return 0;
}
