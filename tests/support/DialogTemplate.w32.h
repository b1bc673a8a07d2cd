// A dialog template built in memory for tests: a popup dialog and any number
// of controls, each given by class name, id, style and rectangle (dialog
// units).
#pragma once

#include <windows.h>

#include <vector>

namespace orvane::testing {

class DialogTemplate {
  public:
    explicit DialogTemplate(DWORD style = WS_POPUP | DS_SETFONT | DS_MODALFRAME, short width = 200,
                            short height = 140) {
        Add<DWORD>(style | DS_SETFONT);
        Add<DWORD>(0); // extended style
        count_ = words_.size();
        Add<WORD>(0); // items, counted as they come
        Add<short>(0), Add<short>(0), Add<short>(width), Add<short>(height);
        Add<WORD>(0), Add<WORD>(0); // no menu, default class
        AddText(L"Test dialog");
        Add<WORD>(8);
        AddText(L"MS Shell Dlg");
    }

    DialogTemplate& Control(const wchar_t* cls, WORD id, DWORD style, short x, short y, short cx,
                            short cy, const wchar_t* text = L"") {
        if (words_.size() % 2)
            words_.push_back(0); // each item starts on a DWORD
        Add<DWORD>(WS_CHILD | WS_VISIBLE | style);
        Add<DWORD>(0);
        Add<short>(x), Add<short>(y), Add<short>(cx), Add<short>(cy);
        Add<WORD>(id);
        AddText(cls);
        AddText(text);
        Add<WORD>(0); // no creation data
        ++words_[count_];
        return *this;
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    template <typename T> void Add(T v) {
        static_assert(sizeof(T) % 2 == 0);
        const auto* p = reinterpret_cast<const WORD*>(&v);
        words_.insert(words_.end(), p, p + sizeof(T) / 2);
    }
    void AddText(const wchar_t* text) {
        for (; *text; ++text)
            words_.push_back(static_cast<WORD>(*text));
        words_.push_back(0);
    }
    std::vector<WORD> words_;
    size_t count_ = 0;
};

} // namespace orvane::testing
