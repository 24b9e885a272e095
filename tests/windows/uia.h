// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The part of UI Automation's client interfaces that the check uses. Debian
// 12's MinGW-w64 declares some of their numbers but none of the interfaces,
// so they are declared here under names of their own, which clash with no
// header. A COM interface is its table of methods: every method before the
// last one used keeps its slot, and those not called are declared without
// arguments.

#include <windows.h>

#include <oleauto.h>

namespace uia {

// Numbers of control types and properties.
enum : int {
    buttonType = 50000,
    checkBoxType = 50002,
    editType = 50004,
    scrollBarType = 50014,
    textType = 50020,
    windowType = 50032,
    paneType = 50033,
    hasKeyboardFocusProperty = 30008,
    isKeyboardFocusableProperty = 30009,
    valueIsReadOnlyProperty = 30046,
    fullDescriptionProperty = 30159,
};

enum TreeScope : int { descendants = 4 };

// {ff48dba4-60ef-4201-aa87-54103eef594e}
inline constexpr CLSID automationClass = {
    0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};

struct Condition : IUnknown {};

struct Element;

struct ElementArray : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Length(int *length) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetElement(int index, Element **element) = 0;
};

struct Element : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRuntimeId() = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirst() = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAll(TreeScope scope, Condition *condition,
                                              ElementArray **found) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache() = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache() = 0;
    virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx(int property, BOOL ignoreDefault,
                                                                VARIANT *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValue() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValueEx() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPatternAs() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCachedPatternAs() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPattern() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCachedPattern() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCachedParent() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCachedChildren() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentProcessId() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentControlType(int *type) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentLocalizedControlType() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentName(BSTR *name) = 0;
};

struct FocusChangedEventHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(Element *sender) = 0;
};

struct Automation : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CompareElements() = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootElement() = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(void *window, Element **element) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromPoint() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFocusedElement() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootElementBuildCache() = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandleBuildCache() = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromPointBuildCache() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFocusedElementBuildCache() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateTreeWalker() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ControlViewWalker() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ContentViewWalker() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RawViewWalker() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RawViewCondition() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ControlViewCondition() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ContentViewCondition() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateCacheRequest() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateTrueCondition(Condition **condition) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateFalseCondition() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreatePropertyCondition() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreatePropertyConditionEx() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateAndCondition() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateAndConditionFromArray() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateAndConditionFromNativeArray() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateOrCondition() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateOrConditionFromArray() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateOrConditionFromNativeArray() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateNotCondition() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddAutomationEventHandler() = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveAutomationEventHandler() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddPropertyChangedEventHandlerNativeArray() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddPropertyChangedEventHandler() = 0;
    virtual HRESULT STDMETHODCALLTYPE RemovePropertyChangedEventHandler() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddStructureChangedEventHandler() = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveStructureChangedEventHandler() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddFocusChangedEventHandler(IUnknown *cacheRequest,
                                                                  FocusChangedEventHandler *handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveFocusChangedEventHandler() = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveAllEventHandlers() = 0;
};

} // namespace uia

// The interfaces' ids, for __uuidof and QueryInterface.
__CRT_UUID_DECL(uia::Automation, 0x30cbe57d, 0xd9d0, 0x452a, 0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee)
__CRT_UUID_DECL(uia::Element, 0xd22108aa, 0x8ac5, 0x49a5, 0x83, 0x7b, 0x37, 0xbb, 0xb3, 0xd7, 0x59, 0x1e)
__CRT_UUID_DECL(uia::FocusChangedEventHandler, 0xc270f6b5, 0x5c69, 0x4290, 0x97, 0x45, 0x7a, 0x7f, 0x97, 0x16,
                0x94, 0x68)
