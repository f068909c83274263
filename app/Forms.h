#pragma once

namespace tk {

struct AppState;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;
class TForm13;
class TForm14;
class TForm15;

// The fifteen windows of the program, created once at start-up in this order:
// 1, 9, 2, 3, 4, 5, 13, 6, 7, 8, 10, 11, 12, 14, 15. A window reaches the others through here
// at the time it needs them (a window created later is null during an earlier one's creation).
struct Forms {
    TForm1* Form1 = nullptr;
    TForm9* Form9 = nullptr;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    TForm13* Form13 = nullptr;
    TForm6* Form6 = nullptr;
    TForm7* Form7 = nullptr;
    TForm8* Form8 = nullptr;
    TForm10* Form10 = nullptr;
    TForm11* Form11 = nullptr;
    TForm12* Form12 = nullptr;
    TForm14* Form14 = nullptr;
    TForm15* Form15 = nullptr;
};

} // namespace tk
