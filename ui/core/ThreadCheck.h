#pragma once
// Checks of the library's thread rules in debug builds. Most of the library belongs to the
// window thread (the thread that created the first window or ran the first message loop);
// a call from another thread there is a bug that may work for months before it corrupts
// something. UI_ASSERT_WINDOW_THREAD("CPaintManagerUI::SetTimer") stops a debug build at
// once, naming the rule that was broken; in release builds (NDEBUG) it costs nothing.

namespace ui::detail {
// Prints "<rule>: window thread only, called from another thread" and aborts, unless the
// caller is the window thread (or none is bound yet).
void AssertWindowThread(const char* rule);
}  // namespace ui::detail

#ifdef NDEBUG
#define UI_ASSERT_WINDOW_THREAD(rule) ((void)0)
#else
#define UI_ASSERT_WINDOW_THREAD(rule) ::ui::detail::AssertWindowThread(rule)
#endif
