#include "platform/win32/accessible_win.h"

#include <oleacc.h>

#include <vector>

namespace win32 {

const IID kIID_IAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// What the objects handed to clients hold on to: the form while its window
// lives, nullptr after.
struct FormAccessibility::Anchor {
  gui::Form* form = nullptr;
  HWND hwnd = nullptr;
};

namespace {

using Anchor = FormAccessibility::Anchor;

// An event names a node deeper than the root's own children by its number
// in the whole tree, past this offset, so that the root's child numbers
// (1 … its count) still mean its own children.
constexpr LONG kDeep = 0x10000;

LONG roleOf(gui::AccRole role) {
  switch (role) {
    case gui::AccRole::Window: return ROLE_SYSTEM_CLIENT;
    case gui::AccRole::TitleBar: return ROLE_SYSTEM_TITLEBAR;
    case gui::AccRole::ToolBar: return ROLE_SYSTEM_TOOLBAR;
    case gui::AccRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case gui::AccRole::MenuButton: return ROLE_SYSTEM_BUTTONMENU;
    case gui::AccRole::MenuPopup: return ROLE_SYSTEM_MENUPOPUP;
    case gui::AccRole::MenuItem: return ROLE_SYSTEM_MENUITEM;
    case gui::AccRole::List: return ROLE_SYSTEM_LIST;
    case gui::AccRole::ListItem: return ROLE_SYSTEM_LISTITEM;
    case gui::AccRole::ComboBox: return ROLE_SYSTEM_COMBOBOX;
    case gui::AccRole::Text: return ROLE_SYSTEM_TEXT;
    case gui::AccRole::StaticText: return ROLE_SYSTEM_STATICTEXT;
    case gui::AccRole::Clock: return ROLE_SYSTEM_CLOCK;
  }
  return ROLE_SYSTEM_CLIENT;
}

LONG stateOf(uint32_t state) {
  const std::pair<uint32_t, LONG> bits[] = {
      {gui::kAccPressed, STATE_SYSTEM_PRESSED},        {gui::kAccSelected, STATE_SYSTEM_SELECTED},
      {gui::kAccFocused, STATE_SYSTEM_FOCUSED},        {gui::kAccFocusable, STATE_SYSTEM_FOCUSABLE},
      {gui::kAccSelectable, STATE_SYSTEM_SELECTABLE},  {gui::kAccProtected, STATE_SYSTEM_PROTECTED},
      {gui::kAccReadOnly, STATE_SYSTEM_READONLY},      {gui::kAccUnavailable, STATE_SYSTEM_UNAVAILABLE},
      {gui::kAccExpanded, STATE_SYSTEM_EXPANDED},      {gui::kAccCollapsed, STATE_SYSTEM_COLLAPSED},
      {gui::kAccHasPopup, STATE_SYSTEM_HASPOPUP},      {gui::kAccChecked, STATE_SYSTEM_CHECKED}};
  LONG s = 0;
  for (const auto& [ours, theirs] : bits)
    if (state & ours) s |= theirs;
  return s;
}

HRESULT giveString(const std::u16string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

// The path from the root to each node, in the tree's numbering.
void paths(const gui::AccNode& n, std::vector<int>& path, std::vector<std::vector<int>>& out) {
  out.push_back(path);
  for (size_t i = 0; i < n.children.size(); ++i) {
    path.push_back(static_cast<int>(i));
    paths(n.children[i], path, out);
    path.pop_back();
  }
}

const gui::AccNode* follow(const gui::AccNode& root, const std::vector<int>& path) {
  const gui::AccNode* n = &root;
  for (int i : path) {
    if (i < 0 || i >= static_cast<int>(n->children.size())) return nullptr;
    n = &n->children[i];
  }
  return n;
}

// One node of a form's tree, found afresh by its path at every call, so
// that it always answers from what the window shows now.
class NodeObject final : public IAccessible {
 public:
  NodeObject(std::shared_ptr<Anchor> anchor, std::vector<int> path)
      : m_anchor(std::move(anchor)), m_path(std::move(path)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kIID_IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refs); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&m_refs);
    if (left == 0) delete this;
    return left;
  }
  // IDispatch: the tree is read through IAccessible only.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    if (n) *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!m_anchor->form) return RPC_E_DISCONNECTED;
    if (m_path.empty())
      return CreateStdAccessibleObject(m_anchor->hwnd, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(out));
    *out = new NodeObject(m_anchor, {m_path.begin(), m_path.end() - 1});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* out) override {
    if (!out) return E_POINTER;
    Found f = find(CHILDID_SELF);
    if (!f.node) return f.error;
    *out = static_cast<LONG>(f.node->children.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    Found f = find(id);
    if (!f.node) return f.error;
    if (f.path == m_path) return E_INVALIDARG;
    *out = new NodeObject(m_anchor, f.path);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* out) override {
    Found f = find(id);
    return f.node ? giveString(f.node->name, out) : f.error;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* out) override {
    Found f = find(id);
    if (!f.node) return f.error;
    return giveString(f.node->state & gui::kAccProtected ? std::u16string() : f.node->value, out);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override { return giveString({}, out); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* out) override {
    if (!out) return E_POINTER;
    Found f = find(id);
    if (!f.node) return f.error;
    out->vt = VT_I4;
    out->lVal = roleOf(f.node->role);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* out) override {
    if (!out) return E_POINTER;
    Found f = find(id);
    if (!f.node) return f.error;
    out->vt = VT_I4;
    out->lVal = stateOf(f.node->state);
    if (!IsWindowVisible(m_anchor->hwnd)) out->lVal |= STATE_SYSTEM_INVISIBLE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return giveString({}, out); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override { return giveString({}, out); }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    if (!m_anchor->form) return RPC_E_DISCONNECTED;
    const gui::AccNode tree = m_anchor->form->describe();
    const int focus = gui::accFocusId(tree);
    if (focus < 0) return S_FALSE;
    std::vector<std::vector<int>> all;
    std::vector<int> path;
    paths(tree, path, all);
    const std::vector<int>& at = all[focus];
    if (at.size() < m_path.size() || !std::equal(m_path.begin(), m_path.end(), at.begin())) return S_FALSE;
    if (at == m_path) {
      out->vt = VT_I4;
      out->lVal = CHILDID_SELF;
      return S_OK;
    }
    out->vt = VT_DISPATCH;
    out->pdispVal = new NodeObject(m_anchor, at);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    Found f = find(CHILDID_SELF);
    if (!f.node) return f.error;
    for (size_t i = 0; i < f.node->children.size(); ++i)
      if (f.node->children[i].state & gui::kAccSelected) {
        std::vector<int> at = m_path;
        at.push_back(static_cast<int>(i));
        out->vt = VT_DISPATCH;
        out->pdispVal = new NodeObject(m_anchor, std::move(at));
        return S_OK;
      }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* out) override {
    Found f = find(id);
    if (!f.node) return f.error;
    return giveString(f.node->doDefault ? actionName(f.node->role) : std::u16string(), out);
  }
  // Choosing and focusing through accSelect is left out: the day list's and
  // the boxes' selection follows the keys, and a reader reaches every choice
  // through the items' default actions.
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT id) override {
    if (!x || !y || !w || !h) return E_POINTER;
    Found f = find(id);
    if (!f.node) return f.error;
    // The tree is laid out in 100 % pixels; the screen has them at the window's scale.
    const gui::Rect r = m_anchor->form ? m_anchor->form->scale()(f.node->location) : f.node->location;
    POINT p{r.x, r.y};
    ClientToScreen(m_anchor->hwnd, &p);
    *x = p.x;
    *y = p.y;
    *w = r.w;
    *h = r.h;
    return S_OK;
  }
  // Along the tree: a node's first or last child, its next or previous
  // sibling. The moves by place on the screen (up, down, left, right) are
  // left out; the clients that use them fall back on accLocation.
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    Found f = find(start);
    if (!f.node) return f.error;
    std::vector<int> to = f.path;
    switch (direction) {
      case NAVDIR_FIRSTCHILD:
      case NAVDIR_LASTCHILD:
        if (f.node->children.empty()) return S_FALSE;
        to.push_back(direction == NAVDIR_FIRSTCHILD ? 0 : static_cast<int>(f.node->children.size()) - 1);
        break;
      case NAVDIR_NEXT:
      case NAVDIR_PREVIOUS: {
        if (to.empty()) return S_FALSE;
        const gui::AccNode* parent = follow(f.tree, {to.begin(), to.end() - 1});
        const int i = to.back() + (direction == NAVDIR_NEXT ? 1 : -1);
        if (!parent || i < 0 || i >= static_cast<int>(parent->children.size())) return S_FALSE;
        to.back() = i;
        break;
      }
      default: return E_NOTIMPL;
    }
    out->vt = VT_DISPATCH;
    out->pdispVal = new NodeObject(m_anchor, std::move(to));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    Found f = find(CHILDID_SELF);
    if (!f.node) return f.error;
    POINT p{x, y};
    ScreenToClient(m_anchor->hwnd, &p);
    if (m_anchor->form) {
      const gui::Point u = m_anchor->form->scale().unscale(gui::Point{p.x, p.y});
      p = {u.x, u.y};
    }
    if (!f.node->location.contains({p.x, p.y})) return S_FALSE;
    // The deepest node under the point; later siblings lie above earlier ones.
    std::vector<int> at = m_path;
    const gui::AccNode* n = f.node;
    for (bool deeper = true; deeper;) {
      deeper = false;
      for (size_t i = n->children.size(); i-- > 0;)
        if (n->children[i].location.contains({p.x, p.y})) {
          n = &n->children[i];
          at.push_back(static_cast<int>(i));
          deeper = true;
          break;
        }
    }
    if (at == m_path) {
      out->vt = VT_I4;
      out->lVal = CHILDID_SELF;
    } else {
      out->vt = VT_DISPATCH;
      out->pdispVal = new NodeObject(m_anchor, std::move(at));
    }
    return S_OK;
  }
  // The action runs once the call has returned, as a posted task, on the
  // node that then stands for the same control: a command may open a window
  // or close this one, which must not happen inside a client's call.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
    Found f = find(id);
    if (!f.node) return f.error;
    if (!f.node->doDefault || !f.node->element) return DISP_E_MEMBERNOTFOUND;
    m_anchor->form->platform().post([anchor = m_anchor, element = f.node->element] {
      if (!anchor->form) return;
      const gui::AccNode tree = anchor->form->describe();
      const gui::AccNode* node = gui::accNodeAt(tree, gui::accIdOf(tree, element));
      if (node && node->doDefault) node->doDefault();
    });
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~NodeObject() = default;

  static std::u16string actionName(gui::AccRole role) {
    switch (role) {
      case gui::AccRole::MenuButton: return u"Odpri";
      case gui::AccRole::MenuItem:
      case gui::AccRole::ListItem: return u"Izberi";
      default: return u"Pritisni";
    }
  }

  struct Found {
    gui::AccNode tree;
    const gui::AccNode* node = nullptr;
    std::vector<int> path;
    HRESULT error = S_OK;
  };
  // The node a child number names: this one (CHILDID_SELF), one of its
  // children (1 … count) or, at the root, any node by its number in the tree.
  Found find(const VARIANT& id) const {
    if (id.vt == VT_I4) return find(id.lVal);
    Found f;
    f.error = E_INVALIDARG;
    return f;
  }
  Found find(LONG child) const {
    Found f;
    if (!m_anchor->form) {
      f.error = RPC_E_DISCONNECTED;
      return f;
    }
    f.tree = m_anchor->form->describe();
    const gui::AccNode* self = follow(f.tree, m_path);
    f.error = E_INVALIDARG;
    if (!self) return f;
    if (child == CHILDID_SELF) {
      f.path = m_path;
    } else if (child > 0 && child <= static_cast<LONG>(self->children.size())) {
      f.path = m_path;
      f.path.push_back(child - 1);
    } else if (m_path.empty() && child > kDeep) {
      std::vector<std::vector<int>> all;
      std::vector<int> path;
      paths(f.tree, path, all);
      if (child - kDeep >= static_cast<LONG>(all.size())) return f;
      f.path = all[child - kDeep];
    } else {
      return f;
    }
    f.node = follow(f.tree, f.path);
    f.error = S_OK;
    return f;
  }

  LONG m_refs = 1;
  std::shared_ptr<Anchor> m_anchor;
  std::vector<int> m_path;
};

// A system control's own object under another name: every call goes to the
// control's standard object but the name of the control itself.
class NamedObject final : public IAccessible {
 public:
  NamedObject(IAccessible* inner, std::u16string name) : m_inner(inner), m_name(std::move(name)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kIID_IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return m_inner->QueryInterface(riid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refs); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&m_refs);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return m_inner->GetTypeInfoCount(n); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return m_inner->GetTypeInfo(i, l, t); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
    return m_inner->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e,
                                   UINT* a) override {
    return m_inner->Invoke(d, r, l, f, p, v, e, a);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return m_inner->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override { return m_inner->get_accChildCount(n); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT v, IDispatch** p) override { return m_inner->get_accChild(v, p); }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT v, BSTR* s) override {
    if (v.vt == VT_I4 && v.lVal == CHILDID_SELF) return giveString(m_name, s);
    return m_inner->get_accName(v, s);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT v, BSTR* s) override { return m_inner->get_accValue(v, s); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT v, BSTR* s) override {
    return m_inner->get_accDescription(v, s);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT v, VARIANT* r) override { return m_inner->get_accRole(v, r); }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT v, VARIANT* r) override { return m_inner->get_accState(v, r); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT v, BSTR* s) override { return m_inner->get_accHelp(v, s); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT v, LONG* t) override {
    return m_inner->get_accHelpTopic(f, v, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT v, BSTR* s) override {
    return m_inner->get_accKeyboardShortcut(v, s);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* v) override { return m_inner->get_accFocus(v); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* v) override { return m_inner->get_accSelection(v); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT v, BSTR* s) override {
    return m_inner->get_accDefaultAction(v, s);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT v) override { return m_inner->accSelect(f, v); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT v) override {
    return m_inner->accLocation(x, y, w, h, v);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override { return m_inner->accNavigate(d, s, e); }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* v) override { return m_inner->accHitTest(x, y, v); }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT v) override { return m_inner->accDoDefaultAction(v); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT v, BSTR s) override { return m_inner->put_accName(v, s); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT v, BSTR s) override { return m_inner->put_accValue(v, s); }

 private:
  ~NamedObject() { m_inner->Release(); }
  LONG m_refs = 1;
  IAccessible* m_inner;
  std::u16string m_name;
};

// Handing an object to another process needs the thread in an apartment.
bool inApartment() {
  static const bool ready = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) ||
                            true;  // already in one of another kind: that serves as well
  return ready;
}

LRESULT handOver(WPARAM wp, IAccessible* object) {
  inApartment();
  const LRESULT result = LresultFromObject(kIID_IAccessible, wp, object);
  object->Release();
  return result;
}

DWORD eventOf(gui::AccEvent event) {
  switch (event) {
    case gui::AccEvent::Focus: return EVENT_OBJECT_FOCUS;
    case gui::AccEvent::Selection: return EVENT_OBJECT_SELECTION;
    case gui::AccEvent::StateChange: return EVENT_OBJECT_STATECHANGE;
    case gui::AccEvent::MenuStart: return EVENT_SYSTEM_MENUPOPUPSTART;
    case gui::AccEvent::MenuEnd: return EVENT_SYSTEM_MENUPOPUPEND;
    case gui::AccEvent::ValueChange: return EVENT_OBJECT_VALUECHANGE;
    case gui::AccEvent::NameChange: return EVENT_OBJECT_NAMECHANGE;
  }
  return EVENT_OBJECT_STATECHANGE;
}

}  // namespace

FormAccessibility::FormAccessibility(gui::Form& form) : m_anchor(std::make_shared<Anchor>()) {
  m_anchor->form = &form;
}

FormAccessibility::~FormAccessibility() { m_anchor->form = nullptr; }

LRESULT FormAccessibility::getObject(HWND hwnd, WPARAM wp, LPARAM lp) {
  if (static_cast<LONG>(lp) != OBJID_CLIENT || !m_anchor->form) return 0;
  m_anchor->hwnd = hwnd;
  if (!m_last) m_last = m_anchor->form->describe();
  return handOver(wp, new NodeObject(m_anchor, {}));
}

void FormAccessibility::tellChanges(HWND hwnd) {
  if (!m_last || !m_anchor->form) return;
  gui::AccNode now = m_anchor->form->describe();
  for (const gui::AccChange& change : gui::accChanges(*m_last, now))
    NotifyWinEvent(eventOf(change.event), hwnd, OBJID_CLIENT, change.id == 0 ? CHILDID_SELF : kDeep + change.id);
  m_last = std::move(now);
}

LRESULT answerWithName(HWND hwnd, WPARAM wp, LPARAM lp, const std::u16string& name) {
  if (static_cast<LONG>(lp) != OBJID_CLIENT || name.empty()) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, kIID_IAccessible, reinterpret_cast<void**>(&standard))) ||
      !standard)
    return 0;
  return handOver(wp, new NamedObject(standard, name));
}

}  // namespace win32
