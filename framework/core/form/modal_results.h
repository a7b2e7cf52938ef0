// The modal results a form ends with and a button carries (nModalResult, ShowModal's answer).
#pragma once

namespace vorpex {

inline constexpr int mrNONE = 0, mrOK = 1, mrCANCEL = 2, mrABORT = 3, mrRETRY = 4, mrIGNORE = 5, mrYES = 6,
                     mrNO = 7, mrCLOSE = 8, mrHELP = 9, mrTRYAGAIN = 10, mrCONTINUE = 11, mrALL = -1,
                     mrNOTOALL = -2, mrYESTOALL = -3;

}  // namespace vorpex
