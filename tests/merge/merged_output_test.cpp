#include "frame/command_ids.h"
#include "merge/decisions.h"
#include "merge/driver_test_support.h"
#include "merge/merged_output.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

class Output : public test::ModelTest {
protected:
    void SetUp() override {
        build({"a", "", "old", "z"}, {"a", "", "new", "z"}, "3c3\n");
        model.side(1).fileName = dir.write("one.txt", "a\n\nold\nz\n");
        model.side(2).fileName = dir.write("two.txt", "a\n\nnew\nz\n");
        settings.unixFormat = 1;
    }
    ProduceResult produce(OutputSink sink, bool differencesOnly = false,
                          const std::string& target = "out.txt") {
        return produceResult(model, settings, frame, dir.file(target), sink, differencesOnly);
    }

    testing_support::TempFolder dir;
};

TEST_F(Output, RefusesBeforeAComparisonAndWhileUnresolved) {
    settings.notYetCompared = 1;
    EXPECT_EQ(produce(OutputSink::File), ProduceResult::Refused);
    EXPECT_EQ(frame.shown(Severity::Info),
              std::vector<std::string>{"Files have not been compared yet"});
    settings.notYetCompared = 0;
    EXPECT_EQ(produce(OutputSink::Preview), ProduceResult::Refused);
    EXPECT_EQ(produce(OutputSink::File), ProduceResult::Refused);
    EXPECT_EQ(frame.shown(Severity::Error).back(), "You have unresolved difference(s) !");
    EXPECT_EQ(frame.posted, (std::vector<int>{cmd::kNextUnresolved, cmd::kNextUnresolved}));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"one.txt", "two.txt"}));
    EXPECT_FALSE(frame.preview);
    // The differences listing needs no decisions.
    EXPECT_EQ(produce(OutputSink::File, true), ProduceResult::Done);
    EXPECT_EQ(dir.read("out.txt"), "--File 1--\n<<3 old\n--File 2--\n>>3 new\n----------\n\n");

    // A segment with no lines on side 1: the side 1 heading comes right before side 2's.
    build({"a"}, {"a", "b", "c"}, "1a2,3\n");
    EXPECT_EQ(produce(OutputSink::Preview, true), ProduceResult::Done);
    EXPECT_EQ(frame.previewContents, "--File 1--\n--File 2--\n>>2 b\n>>3 c\n----------\n\n");
}

TEST_F(Output, PrinterGetsOneCallPerLineAndThePreviewIsReplaced) {
    selectAll(model, frame);
    EXPECT_EQ(produce(OutputSink::Printer), ProduceResult::Done);
    EXPECT_EQ(frame.printed, (std::vector<std::string>{"a", "", "new", "old", "z"}));
    frame.printAccepted = false;
    EXPECT_EQ(produce(OutputSink::Printer), ProduceResult::Failed);

    chooseSide(model, frame, 0, 1, false);
    frame.preview = true;
    frame.previewContents = "edited";
    frame.previewDirty = true;
    EXPECT_EQ(produce(OutputSink::Preview), ProduceResult::Done);
    EXPECT_EQ(frame.previewContents, "a\n\nold\nz\n");
    EXPECT_FALSE(frame.previewDirty);
}

TEST_F(Output, RangesBeyondTheTextAreClampedAndReportedOnce) {
    test::installScript(model, "3,9c3,8\n");
    selectAll(model, frame);
    EXPECT_EQ(merged(), "a\n\nnew\nz\nold\nz\n");
    EXPECT_EQ(frame.shown(Severity::Error),
              std::vector<std::string>{
                  "There was an error in file differences.\nPlease check the output file"});
}

TEST_F(Output, IdenticalFilesOntoAnInputNeedNothingAndElsewhereMayBeRefused) {
    releaseLists(model);
    // Onto one of the inputs: nothing to do.
    EXPECT_EQ(produce(OutputSink::File, false, "two.txt"), ProduceResult::Done);
    EXPECT_EQ(dir.read("two.txt"), "a\n\nnew\nz\n");
    EXPECT_TRUE(frame.questions.empty());
    // An existing target is asked about, and kept on No: nothing was saved.
    dir.write("copy.txt", "mine");
    frame.overwriteAnswers = {false};
    EXPECT_EQ(produce(OutputSink::File, false, "copy.txt"), ProduceResult::Failed);
    EXPECT_EQ(dir.read("copy.txt"), "mine");
    ASSERT_EQ(frame.questions.size(), 1u);
    // The listing of identical files is empty.
    EXPECT_EQ(produce(OutputSink::Preview, true), ProduceResult::Done);
    EXPECT_EQ(frame.previewContents, "");
}

} // namespace
} // namespace tandel
