// Window subclassing with the chains kept in the process (see WinUtil_win.h).
#include "WinUtil_win.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace ui::win {

namespace {

struct Link {
    SubclassProc procedure;
    UINT_PTR id;
    DWORD_PTR data;
    bool removed;
};

// A window's procedures, the last added first to see a message, over the
// window procedure it had before the first of them.
struct Chain {
    WNDPROC original = nullptr;
    std::vector<Link> links;
    std::size_t next = 0;  // how many links are still to run for the message at hand
    int running = 0;       // messages of the window being handled, nested ones included
    bool destroyed = false;
};

// Windows belong to the user-interface thread, and so do their chains. A
// node-based map keeps a chain in place while others come and go. It is never
// destroyed: a window may still be destroyed while the program's statics are.
std::unordered_map<HWND, Chain>& Chains()
{
    static auto* chains = new std::unordered_map<HWND, Chain>;
    return *chains;
}

void Compact(Chain& chain)
{
    if (chain.running == 0)
        chain.links.erase(std::remove_if(chain.links.begin(), chain.links.end(), [](const Link& l) { return l.removed; }),
                          chain.links.end());
}

LRESULT CallNext(HWND window, Chain& chain, UINT message, WPARAM wParam, LPARAM lParam)
{
    while (chain.next > 0) {
        const Link link = chain.links[--chain.next];  // a copy: the procedure may add to the chain
        if (!link.removed)
            return link.procedure(window, message, wParam, lParam, link.id, link.data);
    }
    return CallWindowProcW(chain.original, window, message, wParam, lParam);
}

LRESULT CALLBACK ChainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto found = Chains().find(window);
    if (found == Chains().end())
        return DefWindowProcW(window, message, wParam, lParam);
    Chain& chain = found->second;
    const std::size_t saved = chain.next;
    chain.next = chain.links.size();
    ++chain.running;
    const LRESULT result = CallNext(window, chain, message, wParam, lParam);
    --chain.running;
    chain.next = saved;
    if (message == WM_NCDESTROY)
        chain.destroyed = true;
    if (chain.destroyed && chain.running == 0)
        Chains().erase(window);  // no message comes after the last one
    else
        Compact(chain);
    return result;
}

}  // namespace

bool Subclass(HWND window, SubclassProc procedure, UINT_PTR id, DWORD_PTR data)
{
    if (!window || !procedure || !IsWindow(window))
        return false;
    auto& chains = Chains();
    auto found = chains.find(window);
    if (found == chains.end()) {
        const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
        if (!original)
            return false;
        found = chains.emplace(window, Chain{}).first;
        found->second.original = original;
        if (!SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc))) {
            chains.erase(found);
            return false;
        }
    }
    Chain& chain = found->second;
    for (Link& link : chain.links) {
        if (link.procedure == procedure && link.id == id && !link.removed) {
            link.data = data;  // already there: only its data changes
            return true;
        }
    }
    chain.links.push_back(Link{procedure, id, data, false});
    return true;
}

void RemoveSubclass(HWND window, SubclassProc procedure, UINT_PTR id)
{
    const auto found = Chains().find(window);
    if (found == Chains().end())
        return;
    // The window keeps its chain procedure, which passes messages straight on
    // once the chain is empty: taking it back could cut off whatever another
    // part of the program has subclassed the window with since.
    for (Link& link : found->second.links)
        if (link.procedure == procedure && link.id == id)
            link.removed = true;
    Compact(found->second);
}

LRESULT DefSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto found = Chains().find(window);
    if (found == Chains().end())
        return DefWindowProcW(window, message, wParam, lParam);
    Chain& chain = found->second;
    const std::size_t saved = chain.next;
    const LRESULT result = CallNext(window, chain, message, wParam, lParam);
    chain.next = saved;
    return result;
}

}  // namespace ui::win
