// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Listens to the running Windows game as a screen reader does: from a process
// of its own, through UI Automation. It checks that
// - every focus stop is in the window's tree with the name, control type and
//   description a screen reader says, a field read-only or not, and takes
//   the keyboard focus;
// - controls the game hides are not in the tree, and the help line has the
//   focus at start;
// - Tab and Shift+Tab move UI Automation's focus through the stops in order,
//   round and back, as the game shows and hides them: at start, after "Tier"
//   and after "Zeigen";
// - Space on "Tier" and "Zeigen" presses them, as their effect in the tree
//   shows, and on "Ende" ends the game.
// Values, toggle states, patterns and notifications do not pass between
// processes under Wine 10; the window tests read those through Qt's
// interfaces.
//
// uia_check.exe [SECONDS]: waits at most SECONDS (30) for each answer or event.
// Exit status 0 when every check passed, 1 when one failed, 2 when UI
// Automation did not answer in time.

#include "uia.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

int failures = 0;
int bound = 30;

std::chrono::seconds bounded()
{
    return std::chrono::seconds(bound);
}

std::string utf8(const std::wstring &text)
{
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

void fail(const std::string &what)
{
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
    ++failures;
}

// Ends the check at once: what follows would wait in vain too.
[[noreturn]] void unanswered(const std::string &what)
{
    std::printf("FAIL: no answer from UI Automation within %d s: %s\n", bound, what.c_str());
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 2);
    std::abort();
}

void note(const std::string &what)
{
    std::printf("%s\n", what.c_str());
    std::fflush(stdout);
}

// What a screen reader says first of a control: its name and its kind.
struct Said {
    std::wstring name;
    int type = 0;
    bool operator==(const Said &) const = default;
};

std::string describe(const Said &said)
{
    const char *type = "of another type";
    switch (said.type) {
    case uia::buttonType: type = "button"; break;
    case uia::checkBoxType: type = "check box"; break;
    case uia::editType: type = "edit"; break;
    case uia::scrollBarType: type = "scroll bar"; break;
    case uia::textType: type = "text"; break;
    case uia::windowType: type = "window"; break;
    case uia::paneType: type = "pane"; break;
    }
    std::string result = "\"";
    result += utf8(said.name);
    result += "\" ";
    return result + type;
}

struct Stop {
    Said said;
    const wchar_t *description;
    bool readOnly = false;
};

// The focus stops in the order in which Tab visits them, each with the name
// and description Orca speaks too. The game shows some of them only at times.
const Stop tabOrder[] = {
    {{L"Hilfe", uia::editType}, L""},
    {{L"Zeigen", uia::buttonType}, L"Lösung zeigen"},
    {{L"Tier", uia::buttonType}, L"Zufallstier"},
    {{L"Sortierte Buchstaben", uia::editType}, L"Die Buchstaben des Tiernamens in sortierter Reihenfolge"},
    {{L"weiter", uia::buttonType}, L"Mischer weiterlaufen lassen"},
    {{L"Ende", uia::buttonType}, L"Programm beenden"},
    {{L"stop", uia::buttonType}, L"Mischer anhalten"},
    {{L"mischen", uia::buttonType}, L"Bei angehaltenem Mischer einmal neu mischen"},
    {{L"Gemischte Buchstaben", uia::editType}, L"Die Buchstaben werden durcheinandergewürfelt"},
    {{L"max 10 Buchstaben", uia::checkBoxType}, L"Nur Tiere mit maximal 10 Buchstaben wählen"},
    {{L"Letzter Buchstabe", uia::checkBoxType},
     L"Der letzte Buchstabe wird automatisch korrekt angezeigt, nur der Rest wird sortiert"},
    {{L"Grossbuchstaben", uia::checkBoxType},
     L"Anfangsbuchstaben automatisch vorne in Großschrift zeigen, nur der Rest wird sortiert"},
    {{L"Sortieren", uia::buttonType},
     L"Das Lösungsfeld kann per Hand beschrieben werden, der Eintrag sortiert werden"},
    {{L"Bedenkzeit einstellen", uia::scrollBarType},
     L"Ablaufgeschwindigkeit der Bedenkzeit von 1(kurz) bis 5 (lang) einstellen"},
    {{L"Bedenkzeit", uia::editType}, L"Bedenkzeit 1 (kurz) bis 5 (lang)", true},
    {{L"1. Buchstabe", uia::buttonType}, L"Kleine Hilfen"},
    {{L"letzter B.", uia::buttonType}, L"Kleine Hilfen"},
    {{L"Stop", uia::checkBoxType}, L"Häkchen: Uhr hält an, Häkchen entfernen: Uhr läuft weiter"},
    {{L"2. Buchstabe", uia::buttonType}, L"Kleine Hilfen"},
    {{L"Punkte", uia::editType}, L"Punktzahl, falls jetzt das Tier erkannt wird"},
};
// Shown with "Sortieren", but never a focus stop.
const Said solutionField{L"Lösungswort", uia::editType};

// What the game shows at a point of play: which stops are hidden, and
// whether the solution field is shown.
struct Scene {
    const char *name;
    std::vector<std::wstring> hidden;
    bool solutionShown = false;

    bool shows(const Said &control) const
    {
        return std::find(hidden.begin(), hidden.end(), control.name) == hidden.end();
    }
    std::vector<Stop> stops() const
    {
        std::vector<Stop> shown;
        for (const Stop &stop : tabOrder)
            if (shows(stop.said))
                shown.push_back(stop);
        return shown;
    }
};

// Ends the process when a step has not ended within its bound: a call into
// another process that never returns must not hold the test command.
class Watchdog {
public:
    Watchdog()
        : thread_([this] {
              std::unique_lock lock(mutex_);
              while (!done_) {
                  if (deadline_ && Clock::now() > *deadline_)
                      unanswered(step_);
                  wake_.wait_for(lock, 200ms);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

    // The step that starts now. Its bound is twice that of a wait, so that a
    // wait that gives up says itself what it missed.
    void step(const std::string &what)
    {
        std::lock_guard lock(mutex_);
        step_ = what;
        deadline_ = Clock::now() + 2 * bounded();
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string step_;
    std::optional<Clock::time_point> deadline_;
    bool done_ = false;
    std::thread thread_;
};

template <typename T> class Ptr {
public:
    Ptr() = default;
    explicit Ptr(T *raw) : raw_(raw) {}
    Ptr(const Ptr &other) : raw_(other.raw_)
    {
        if (raw_)
            raw_->AddRef();
    }
    Ptr &operator=(Ptr other)
    {
        std::swap(raw_, other.raw_);
        return *this;
    }
    ~Ptr()
    {
        if (raw_)
            raw_->Release();
    }
    T *operator->() const { return raw_; }
    T *get() const { return raw_; }
    T **out()
    {
        *this = Ptr();
        return &raw_;
    }
    explicit operator bool() const { return raw_ != nullptr; }

private:
    T *raw_ = nullptr;
};

// A property as Wine passes it; Wine 10's plain GetCurrentPropertyValue is
// a stub.
std::optional<VARIANT> property(uia::Element *element, int id)
{
    VARIANT value;
    VariantInit(&value);
    if (FAILED(element->GetCurrentPropertyValueEx(id, TRUE, &value)))
        return std::nullopt;
    return value;
}

std::wstring text(uia::Element *element, int id)
{
    std::optional<VARIANT> value = property(element, id);
    std::wstring result;
    if (value && value->vt == VT_BSTR && value->bstrVal)
        result.assign(value->bstrVal, SysStringLen(value->bstrVal));
    if (value)
        VariantClear(&*value);
    return result;
}

bool flag(uia::Element *element, int id)
{
    std::optional<VARIANT> value = property(element, id);
    return value && value->vt == VT_BOOL && value->boolVal != VARIANT_FALSE;
}

Said said(uia::Element *element)
{
    Said result;
    BSTR name = nullptr;
    if (SUCCEEDED(element->get_CurrentName(&name)) && name)
        result.name.assign(name, SysStringLen(name));
    SysFreeString(name);
    element->get_CurrentControlType(&result.type);
    return result;
}

// Queues the elements that UI Automation says got the focus.
class FocusListener final : public uia::FocusChangedEventHandler {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (iid != __uuidof(IUnknown) && iid != __uuidof(uia::FocusChangedEventHandler)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<uia::FocusChangedEventHandler *>(this);
        AddRef();
        return S_OK;
    }
    // It lives as long as the check; UI Automation only borrows it.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(uia::Element *sender) override
    {
        if (sender == nullptr)
            return S_OK;
        sender->AddRef();
        {
            std::lock_guard lock(mutex_);
            events_.emplace_back(sender);
        }
        arrived_.notify_all();
        return S_OK;
    }

    // The next element that got the focus, if one did within the bound.
    Ptr<uia::Element> next()
    {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, bounded(), [&] { return !events_.empty(); }))
            return {};
        Ptr<uia::Element> element = events_.front();
        events_.pop_front();
        return element;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<Ptr<uia::Element>> events_;
};

void press(WORD key, bool shift = false)
{
    std::vector<INPUT> inputs;
    const auto add = [&](WORD virtualKey, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (shift)
        add(VK_SHIFT, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift)
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Every control of the window by what a screen reader says of it.
using Tree = std::vector<std::pair<Said, Ptr<uia::Element>>>;

Ptr<uia::Element> find(const Tree &tree, const Said &control)
{
    for (const auto &[what, element] : tree)
        if (what == control)
            return element;
    return {};
}

bool showsOnly(const Tree &tree, const Scene &scene)
{
    return bool(find(tree, solutionField)) == scene.solutionShown &&
           std::all_of(std::begin(tabOrder), std::end(tabOrder), [&](const Stop &stop) {
               return bool(find(tree, stop.said)) == scene.shows(stop.said);
           });
}

class Check {
public:
    Check(uia::Automation *automation, HWND window, Watchdog &watchdog)
        : automation_(automation), window_(window), watchdog_(watchdog)
    {
    }

    // Asks for the window's element, which turns on Qt's side, until it
    // shows the controls: until Qt's start is done the window is a bare one.
    // Returns the tree then.
    std::optional<Tree> connect()
    {
        watchdog_.step("asking for the window's element");
        const auto end = Clock::now() + bounded();
        Tree tree;
        while (!find(tree, tabOrder[0].said)) {
            if (Clock::now() > end)
                unanswered("the game's window shows no controls");
            if (FAILED(automation_->ElementFromHandle(window_, root_.out())) || !root_) {
                fail("UI Automation has no element for the game's window");
                return std::nullopt;
            }
            tree = read();
        }
        const Said window = said(root_.get());
        if (window != Said{L"Wuselwort", uia::windowType})
            fail("the window is " + describe(window) + ", not \"Wuselwort\" window");
        watchdog_.step("listening for focus changes");
        if (FAILED(automation_->AddFocusChangedEventHandler(nullptr, &listener_))) {
            fail("UI Automation takes no focus handler");
            return std::nullopt;
        }
        return tree;
    }

    // The help line has the focus once the window is active.
    void focusAtStart(const Tree &tree)
    {
        watchdog_.step("waiting for the help line to have the focus");
        SetForegroundWindow(window_);
        const Ptr<uia::Element> help = find(tree, tabOrder[0].said);
        const auto end = Clock::now() + bounded();
        while (!flag(help.get(), uia::hasKeyboardFocusProperty) && Clock::now() < end)
            Sleep(100);
        if (!flag(help.get(), uia::hasKeyboardFocusProperty))
            unanswered("the help line does not have the focus at start");
        focus_ = tabOrder[0].said;
    }

    // The stops the scene shows are in the tree, with their descriptions and
    // focusable; those it hides are not.
    void check(const Tree &tree, const Scene &scene)
    {
        watchdog_.step(std::string("reading the tree ") + scene.name);
        note(std::string("The window's tree ") + scene.name + ":");
        for (const Stop &stop : tabOrder) {
            const Ptr<uia::Element> element = find(tree, stop.said);
            if (!scene.shows(stop.said)) {
                if (element)
                    fail(describe(stop.said) + " is in the tree, though hidden");
                continue;
            }
            if (!element) {
                fail(describe(stop.said) + " is not in the tree");
                continue;
            }
            const std::wstring description = text(element.get(), uia::fullDescriptionProperty);
            const bool focusable = flag(element.get(), uia::isKeyboardFocusableProperty);
            const bool readOnly = flag(element.get(), uia::valueIsReadOnlyProperty);
            note("  " + describe(stop.said) + (readOnly ? ", read-only" : "") +
                 (description.empty() ? "" : ": \"" + utf8(description) + "\"") +
                 (focusable ? "" : ", not focusable"));
            if (stop.said.type == uia::editType && readOnly != stop.readOnly)
                fail(describe(stop.said) + (readOnly ? " is" : " is not") + " read-only");
            if (description != stop.description)
                fail(describe(stop.said) + " is described as \"" + utf8(description) + "\", not \"" +
                     utf8(stop.description) + "\"");
            if (!focusable)
                fail(describe(stop.said) + " does not take the keyboard focus");
        }
        if (bool(find(tree, solutionField)) != scene.solutionShown)
            fail(describe(solutionField) +
                 (scene.solutionShown ? " is not in the tree" : " is in the tree, though hidden"));
    }

    // Presses the key until the scene's stops have come round once, each
    // named by a focus change in turn.
    void round(const Scene &scene, bool forward)
    {
        note(std::string(forward ? "Tab" : "Shift+Tab") + " round " + scene.name + ":");
        for (size_t step = 0; step < scene.stops().size(); ++step)
            tab(scene, forward);
    }

    // Tabs forward to the stop.
    void tabTo(const Scene &scene, const Said &target)
    {
        for (size_t step = 0; step < scene.stops().size() && focus_ != target; ++step)
            tab(scene, true);
        if (focus_ != target)
            fail("Tab never reaches " + describe(target));
    }

    // Space on the focused button.
    void press()
    {
        watchdog_.step("pressing " + describe(focus_));
        ::press(VK_SPACE);
        note("Space on " + describe(focus_));
    }

    // Space on the focused button, which leads to the scene: returns the tree
    // once it shows it, or the last one read.
    Tree pressInto(const Scene &scene)
    {
        press();
        const auto end = Clock::now() + bounded();
        Tree tree = read();
        while (!showsOnly(tree, scene) && Clock::now() < end)
            tree = read();
        if (!showsOnly(tree, scene))
            fail("Space on " + describe(focus_) + " did not lead to the tree " + scene.name);
        return tree;
    }

    // Space on "Ende" closes the window.
    void endGame()
    {
        press();
        const auto end = Clock::now() + bounded();
        while (IsWindow(window_) && Clock::now() < end)
            Sleep(100);
        if (IsWindow(window_))
            fail("Space on " + describe(focus_) + " did not close the window");
        else
            note("The window closed.");
    }

    void stopListening() { automation_->RemoveAllEventHandlers(); }

private:
    Tree read()
    {
        Tree found;
        Ptr<uia::Condition> everything;
        Ptr<uia::ElementArray> elements;
        int count = 0;
        if (!root_ || FAILED(automation_->CreateTrueCondition(everything.out())) ||
            FAILED(root_->FindAll(uia::descendants, everything.get(), elements.out())) || !elements ||
            FAILED(elements->get_Length(&count)))
            return found;
        for (int i = 0; i < count; ++i) {
            Ptr<uia::Element> element;
            if (SUCCEEDED(elements->GetElement(i, element.out())) && element)
                found.emplace_back(said(element.get()), element);
        }
        return found;
    }

    // One Tab or Shift+Tab: the next focus change names the next stop.
    // Repeated news of the focus already had, as when the window became
    // active, tells nothing.
    void tab(const Scene &scene, bool forward)
    {
        const std::vector<Stop> stops = scene.stops();
        const auto at =
            std::find_if(stops.begin(), stops.end(), [&](const Stop &stop) { return stop.said == focus_; });
        if (at == stops.end()) {
            fail("the focus is on " + describe(focus_) + ", no stop " + scene.name);
            return;
        }
        const size_t index = size_t(at - stops.begin());
        const Said expected = stops[(index + (forward ? 1 : stops.size() - 1)) % stops.size()].said;
        const std::string key = forward ? "Tab" : "Shift+Tab";
        watchdog_.step(key + " from " + describe(focus_));
        ::press(VK_TAB, !forward);
        std::optional<Said> got;
        for (Ptr<uia::Element> element = listener_.next(); element; element = listener_.next()) {
            got = said(element.get());
            if (*got != focus_)
                break;
        }
        if (!got || *got == focus_)
            unanswered(key + " from " + describe(focus_) + " moved the focus nowhere");
        note("  " + describe(*got));
        if (*got != expected)
            fail(key + " from " + describe(focus_) + " went to " + describe(*got) + ", not to " +
                 describe(expected));
        focus_ = *got;
    }

    uia::Automation *automation_;
    HWND window_;
    Watchdog &watchdog_;
    Ptr<uia::Element> root_;
    FocusListener listener_;
    Said focus_;
};

int run(Watchdog &watchdog)
{
    watchdog.step("waiting for the game's window");
    HWND window = nullptr;
    for (const auto end = Clock::now() + bounded(); !window && Clock::now() < end; Sleep(100))
        window = FindWindowW(nullptr, L"Wuselwort");
    if (!window)
        unanswered("no window \"Wuselwort\"");

    watchdog.step("starting UI Automation");
    Ptr<uia::Automation> automation;
    if (FAILED(CoCreateInstance(uia::automationClass, nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(uia::Automation), reinterpret_cast<void **>(automation.out())))) {
        fail("UI Automation is missing");
        return 1;
    }
    Check check(automation.get(), window, watchdog);
    const std::optional<Tree> start = check.connect();
    if (!start)
        return 1;

    const Said show = tabOrder[1].said;
    const Said tier = tabOrder[2].said;
    const Said end = tabOrder[5].said;
    const Said stop = tabOrder[6].said;
    const Scene atStart{"at start", {L"Sortieren", L"2. Buchstabe"}, false};
    // With both option boxes ticked, as at start, a puzzle offers the second
    // letter only.
    const Scene afterTier{"after \"Tier\"", {L"Sortieren", L"1. Buchstabe", L"letzter B."}, false};
    const Scene afterShow{"after \"Zeigen\"", {L"1. Buchstabe", L"letzter B."}, true};

    check.check(*start, atStart);
    check.focusAtStart(*start);
    check.round(atStart, true);
    check.round(atStart, false);
    check.tabTo(atStart, tier);
    check.check(check.pressInto(afterTier), afterTier);
    // "stop" holds the clock, which would show the solution in the middle
    // of a round on a slow machine.
    check.tabTo(afterTier, stop);
    check.press();
    check.round(afterTier, true);
    check.round(afterTier, false);
    check.tabTo(afterTier, show);
    check.check(check.pressInto(afterShow), afterShow);
    check.round(afterShow, true);
    check.round(afterShow, false);
    check.tabTo(afterShow, end);
    check.endGame();
    check.stopListening();
    return failures ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1)
        bound = std::max(1, std::atoi(argv[1]));
    Watchdog watchdog;
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const int status = run(watchdog);
    CoUninitialize();
    if (status == 0)
        note("UI Automation heard every stop as expected.");
    else
        note(std::to_string(failures) + " checks failed.");
    return status;
}
