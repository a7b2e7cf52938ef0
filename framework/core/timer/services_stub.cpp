namespace vorpex {

// Timers and the clock functions need Windows.
void registerPlatformServices() {}

}  // namespace vorpex
