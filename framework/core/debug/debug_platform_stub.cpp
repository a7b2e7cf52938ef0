namespace vorpex {

// The cursor loader exists only on Windows.
void registerPlatformDebugFunctions() {}

}  // namespace vorpex
