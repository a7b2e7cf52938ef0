// Keeps the core library non-empty while its areas are being added.
namespace vorpex {
int coreLibraryVersion() { return 1; }
}  // namespace vorpex
