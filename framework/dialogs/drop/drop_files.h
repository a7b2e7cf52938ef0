// Files dropped from the shell: DRAGACCEPTFILES, DRAGFINISH, DRAGQUERYPOINT and DRAGQUERYFILE (Windows only;
// elsewhere nothing is registered).
#pragma once

namespace vorpex {

void registerDropFunctions();

}  // namespace vorpex
