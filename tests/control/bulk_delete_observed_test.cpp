// What a host sees from inside its handlers while many items are deleted at once: the event
// order, and at each ItemDeleted / GroupDelete the list exactly as after that single removal
// (count, the items by index, SelectedIndex, SelectedCount, TopIndex, the vertical bar). The
// expected lines were taken from the one-removal-at-a-time algorithm, so a faster bulk path has
// to reproduce them to the letter.
#include <gtest/gtest.h>

#include "tests/support/dispatch_helpers.h"
#include "tests/support/control_access.h"

using namespace glv;
using namespace glv::test;

namespace {

// Logs every delete event with the state a host reads back at that moment.
struct ObservingSink : PromptSink {
    Script* s = nullptr;
    std::string State() {
        GlideListView& list = *s->list;
        return " [n=" + std::to_string(list.ItemCount()) + " " + s->Items() +
               " | sel=" + std::to_string(list.SelectedIndex()) +
               " cnt=" + std::to_string(list.SelectedCount()) +
               " top=" + std::to_string(list.TopIndex()) +
               " bar=" + std::to_string(list.IsVScrollVisible()) + "]";
    }
    void ItemDeleted(int32_t index) override {
        PromptSink::ItemDeleted(index);
        lines.back() += State();
    }
    void GroupDelete(int32_t row) override {
        PromptSink::GroupDelete(row);
        lines.back() += State();
    }
    void VScrollVisibleChanged(bool state) override { lines.push_back("vbar " + std::to_string(state)); }
};

// Ten rows in a list that shows about five: g1 and g6 are group headers, d is hidden, and
// a, c, d, e, h and j are selected.
void Fill(Script& s) {
    s.AddItems({"g1", "a", "b", "c", "d", "g6", "e", "f", "h", "j"});
    ControlTestAccess::Props(*s.list).MultiSelect = true;
    s.list->GroupForWrite(1).GroupHeader = true;
    s.list->GroupForWrite(6).GroupHeader = true;
    s.Set("ListItems.Item(5).Visible", false);
    for (int32_t i : {2, 4, 5, 7, 9, 10}) s.Set("SelectState(" + std::to_string(i) + ")", true);
}

std::string DeleteAndLog(const char* method, std::vector<int32_t> answers) {
    Script s(200, 130);
    Fill(s);
    ObservingSink sink;
    sink.s = &s;
    sink.answers = std::move(answers);
    s.list->SetEventSink(&sink);
    s.Set("TopIndex", 3);
    s.Call(method);
    return sink.Take() + " || " + s.Items() + " top=" + std::to_string(s.list->TopIndex());
}

}  // namespace

TEST(BulkDeleteObserved, StateSeenFromInsideEachHandler) {
    struct Case {
        const char* method;
        std::vector<int32_t> answers;
        const char* expected;
    };
    const Case cases[] = {
        {"ItemsDeleteSelected", {},
         "ask a@2 preset 1"
         "; deleted 2 [n=9 g1 b *c [*d] g6 *e f *h *j | sel=-1 cnt=4 top=3 bar=1]"
         "; deleted 3 [n=8 g1 b [*d] g6 *e f *h *j | sel=-1 cnt=3 top=3 bar=1]"
         "; deleted 3 [n=7 g1 b g6 *e f *h *j | sel=-1 cnt=3 top=3 bar=1]; vbar 0"
         "; deleted 4 [n=6 g1 b g6 f *h *j | sel=-1 cnt=2 top=1 bar=0]"
         "; deleted 5 [n=5 g1 b g6 f *j | sel=5 cnt=1 top=1 bar=0]"
         "; deleted 5 [n=4 g1 b g6 f | sel=0 cnt=0 top=1 bar=0] || g1 b g6 f top=1"},
        {"ItemsDeleteSelected", {LVYes, LVNo, LVYesToAll},
         "ask a@2 preset 1; ask c@4 preset 1; ask d@5 preset 1"
         "; deleted 5 [n=9 g1 *a b *c g6 *e f *h *j | sel=-1 cnt=5 top=3 bar=1]"
         "; deleted 6 [n=8 g1 *a b *c g6 f *h *j | sel=-1 cnt=4 top=3 bar=1]"
         "; deleted 7 [n=7 g1 *a b *c g6 f *j | sel=-1 cnt=3 top=3 bar=1]; vbar 0"
         "; deleted 7 [n=6 g1 *a b *c g6 f | sel=-1 cnt=2 top=1 bar=0] || g1 *a b *c g6 f top=1"},
        {"ItemsDeleteSelected", {LVYes, LVNoToAll},
         "ask a@2 preset 1; ask c@4 preset 1 || g1 *a b *c [*d] g6 *e f *h *j top=1"},
        {"ItemsDeleteAll", {},
         "ask group@1"
         "; group deleted 1 [n=9 *a b *c [*d] g6 *e f *h *j | sel=-1 cnt=5 top=3 bar=1]"
         "; ask a@1 preset 1"
         "; deleted 1 [n=8 b *c [*d] g6 *e f *h *j | sel=-1 cnt=4 top=3 bar=1]; vbar 0"
         "; deleted 1 [n=7 *c [*d] g6 *e f *h *j | sel=-1 cnt=4 top=1 bar=0]"
         "; deleted 1 [n=6 [*d] g6 *e f *h *j | sel=-1 cnt=3 top=2 bar=0]"
         "; deleted 1 [n=5 g6 *e f *h *j | sel=-1 cnt=3 top=1 bar=0]"
         "; group deleted 1 [n=4 *e f *h *j | sel=-1 cnt=3 top=1 bar=0]"
         "; deleted 1 [n=3 f *h *j | sel=-1 cnt=2 top=1 bar=0]"
         "; deleted 1 [n=2 *h *j | sel=-1 cnt=2 top=1 bar=0]"
         "; deleted 1 [n=1 *j | sel=1 cnt=1 top=1 bar=0]"
         "; deleted 1 [n=0  | sel=0 cnt=0 top=1 bar=0] ||  top=1"},
        {"ItemsDeleteAll", {LVYes, LVNo, LVYes, LVYesToAll},
         "ask group@1; ask a@2 preset 1; ask b@3 preset 1; ask c@4 preset 1"
         "; deleted 4 [n=9 g1 *a b [*d] g6 *e f *h *j | sel=-1 cnt=4 top=3 bar=1]"
         "; deleted 4 [n=8 g1 *a b g6 *e f *h *j | sel=-1 cnt=4 top=3 bar=1]; ask group@4"
         "; group deleted 4 [n=7 g1 *a b *e f *h *j | sel=-1 cnt=4 top=3 bar=1]; vbar 0"
         "; deleted 4 [n=6 g1 *a b f *h *j | sel=-1 cnt=3 top=1 bar=0]"
         "; deleted 4 [n=5 g1 *a b *h *j | sel=-1 cnt=3 top=1 bar=0]"
         "; deleted 4 [n=4 g1 *a b *j | sel=-1 cnt=2 top=1 bar=0]"
         "; deleted 4 [n=3 g1 *a b | sel=2 cnt=1 top=1 bar=0] || g1 *a b top=1"},
        {"ItemsDeleteAll", {LVNo, LVNoToAll, LVYesToAll},
         "ask group@1; ask a@2 preset 1; ask group@6"
         "; group deleted 6 [n=9 g1 *a b *c [*d] *e f *h *j | sel=-1 cnt=5 top=3 bar=1] || g1 *a b *c [*d] *e f *h *j top=3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        EXPECT_EQ(DeleteAndLog(c.method, c.answers), c.expected);
    }
}
