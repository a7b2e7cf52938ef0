// Start-up of the service classes: builds TTimer (Windows), TMutex and THelp so that they are callable by
// name (the Application makes its mutex and help through them) and registers SETTIMER, KILLTIMER,
// QUERYPERFORMANCECOUNTER, QUERYPERFORMANCEFREQUENCY, SLEEP, GETTICKCOUNT, MUTEX_OPEN and MUTEX_CREATE.
// Calling it again does no harm.
#pragma once

namespace vorpex {

void registerServiceClasses();

}  // namespace vorpex
