// The stand-in's viewer, headless: picking as users pick in a CAD (click,
// window and crossing drags, Shift removing, the request's filter, the keys
// and the right button ending or cancelling), sub-entity picks reaching an
// attribute, and the window around it (title, Ctrl+Z, ZoomCenter, marker).

#include "app/caddocument.h"
#include "app/cadwindow.h"
#include "app/drawingview.h"
#include "app/shapebuilder.h"

#include "cad/remote/variantcodec.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace cad;
using standin::CadDocument;
using standin::DrawingView;

class StandInView : public ::testing::Test
{
public:
    void SetUp() override
    {
        m_document = CadDocument::open(QStringLiteral(MORVEX_SAMPLE_DRAWING));
        m_view = std::make_unique<DrawingView>(*m_document);
        m_view->resize(900, 640);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->zoomExtents();
    }

    Handle textHandle(std::u16string_view text, EntityKind kind = EntityKind::Text) const
    {
        for (const auto &[handle, entity] : m_document->drawing()->entities()) {
            if (entity.kind == kind && entity.text == text)
                return handle;
        }
        ADD_FAILURE() << "no entity with " << cad::remote::toQString(text).toStdString();
        return 0;
    }

    // The screen rectangle a text's box covers.
    QRect screenBox(Handle handle) const
    {
        const QRectF box = standin::ShapeBuilder(*m_document).shape(handle).texts.front().box.boundingRect();
        return QRectF(m_view->toScreen(box.bottomLeft()), m_view->toScreen(box.topRight())).normalized().toRect();
    }

    void click(const QPoint &at, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(m_view.get(), button, modifiers, at);
    }

    void drag(const QPoint &from, const QPoint &to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(m_view.get(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(m_view.get(), to);
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, modifiers, to);
    }

    // Starts a pick; the result lands in m_result when it ends.
    void beginPick(PickRequest::Kind kind, std::function<bool(const MemoryEntity &)> accepts,
                   std::u16string prompt = {})
    {
        PickRequest request;
        request.kind = kind;
        request.prompt = std::move(prompt);
        request.accepts = std::move(accepts);
        m_result.reset();
        m_view->beginPick(request, [this](const PickResult &result) { m_result = result; });
    }

    static bool selectable(const MemoryEntity &e) { return e.isSelectable(); }

    std::unique_ptr<CadDocument> m_document;
    std::unique_ptr<DrawingView> m_view;
    std::optional<PickResult> m_result;
};

TEST_F(StandInView, ClickPicksShiftClickRemovesAndEnterSpaceOrRightButtonEnd)
{
    const Handle motor = textHandle(u"ﾓｰﾀｰ1");
    const Handle pump = textHandle(u"ポンプ-01");
    const struct
    {
        const char *name;
        std::function<void(StandInView &)> end;
    } endings[] = {
        {"Enter", [](StandInView &t) { QTest::keyClick(t.m_view.get(), Qt::Key_Return); }},
        {"Space", [](StandInView &t) { QTest::keyClick(t.m_view.get(), Qt::Key_Space); }},
        {"right button", [](StandInView &t) { t.click(QPoint(5, 5), {}, Qt::RightButton); }},
    };
    for (const auto &ending : endings) {
        SCOPED_TRACE(ending.name);
        beginPick(PickRequest::Selection, selectable);
        click(screenBox(motor).center());
        click(screenBox(pump).center());
        EXPECT_EQ(m_view->pickedHandles(), (std::vector<Handle>{motor, pump})) << "shown as selected";
        click(screenBox(motor).center(), Qt::ShiftModifier);
        click(QPoint(3, 3)); // nothing there
        EXPECT_FALSE(m_result) << "ended before asked";
        ending.end(*this);
        ASSERT_TRUE(m_result);
        EXPECT_FALSE(m_result->cancelled);
        EXPECT_EQ(m_result->handles, std::vector<Handle>{pump});
        EXPECT_FALSE(m_view->isPicking());
    }
}

TEST_F(StandInView, DragLeftToRightTakesWhatIsInsideRightToLeftWhatItCrosses)
{
    const Handle pump = textHandle(u"ポンプ-01");
    const QRect box = screenBox(pump);
    const QRect whole = box.adjusted(-3, -3, 3, 3);
    // Only the left half of the text, and none of its neighbours.
    const QRect half(QPoint(box.left() - 3, box.top() + 1), QPoint(box.center().x(), box.bottom() - 1));
    const struct
    {
        const char *name;
        QPoint from, to;
        bool picked;
    } cases[] = {
        {"window around it", whole.topLeft(), whole.bottomRight(), true},
        {"window over half of it", half.topLeft(), half.bottomRight(), false},
        {"crossing over half of it", half.bottomRight(), half.topLeft(), true},
        {"crossing around it", whole.bottomRight(), whole.topLeft(), true},
    };
    for (const auto &dragCase : cases) {
        SCOPED_TRACE(dragCase.name);
        beginPick(PickRequest::Selection, selectable);
        drag(dragCase.from, dragCase.to);
        QTest::keyClick(m_view.get(), Qt::Key_Enter);
        ASSERT_TRUE(m_result);
        EXPECT_EQ(m_result->handles, dragCase.picked ? std::vector<Handle>{pump} : std::vector<Handle>{});
    }

    // Shift with a drag takes away what the drag covers.
    beginPick(PickRequest::Selection, selectable);
    click(box.center());
    drag(whole.bottomRight(), whole.topLeft(), Qt::ShiftModifier);
    QTest::keyClick(m_view.get(), Qt::Key_Return);
    ASSERT_TRUE(m_result);
    EXPECT_TRUE(m_result->handles.empty());
}

TEST_F(StandInView, OnlyEntitiesThePickAcceptsCanBePicked)
{
    // TEXT only, as the tool's TEXT pick filters.
    beginPick(PickRequest::Selection, [](const MemoryEntity &e) { return e.isSelectable() && e.dxfType == u"TEXT"; });
    const Handle deviceAttribute = textHandle(u"給水ポンプ", EntityKind::Attribute);
    const Handle device = m_document->drawing()->entity(deviceAttribute)->owner;
    click(screenBox(deviceAttribute).center()); // the block reference under the click
    EXPECT_TRUE(m_view->pickedHandles().empty());

    // A window over the whole device list and the devices beside it.
    const QRect list = screenBox(textHandle(u"番号")).united(screenBox(textHandle(u"非常用")))
                           .united(screenBox(deviceAttribute));
    drag(list.topLeft() - QPoint(4, 4), list.bottomRight() + QPoint(4, 4));
    QTest::keyClick(m_view.get(), Qt::Key_Return);
    ASSERT_TRUE(m_result);
    EXPECT_FALSE(m_result->handles.empty());
    for (Handle h : m_result->handles)
        EXPECT_EQ(m_document->drawing()->entity(h)->dxfType, u"TEXT");
    EXPECT_TRUE(std::find(m_result->handles.begin(), m_result->handles.end(), device) == m_result->handles.end());
    EXPECT_TRUE(std::find(m_result->handles.begin(), m_result->handles.end(), textHandle(u"非常用"))
                != m_result->handles.end());

    // Without the filter the same click takes the block reference.
    beginPick(PickRequest::Selection, selectable);
    click(screenBox(deviceAttribute).center());
    EXPECT_EQ(m_view->pickedHandles(), std::vector<Handle>{device});
    m_view->cancelPick();
}

TEST_F(StandInView, EscapeCancelsThePickAndThePromptShowsWhileItRuns)
{
    QSignalSpy prompts(m_view.get(), &DrawingView::promptChanged);
    beginPick(PickRequest::Selection, selectable, u"文字を選択:");
    EXPECT_EQ(m_view->prompt(), QStringLiteral("文字を選択:"));
    click(screenBox(textHandle(u"送風機")).center());
    QTest::keyClick(m_view.get(), Qt::Key_Escape);
    ASSERT_TRUE(m_result);
    EXPECT_TRUE(m_result->cancelled);
    EXPECT_TRUE(m_result->handles.empty());
    ASSERT_GE(prompts.size(), 2);
    EXPECT_EQ(prompts.front().front().toString(), QStringLiteral("文字を選択:"));
    EXPECT_TRUE(prompts.back().front().toString().isEmpty());
}

TEST_F(StandInView, SubEntityPickReachesAnAttributeOfABlockReference)
{
    const Handle attribute = textHandle(u"動力制御盤", EntityKind::Attribute);
    const Handle text = textHandle(u"照明盤");
    const struct
    {
        Handle target;
    } cases[] = {{attribute}, {text}};
    for (const auto &pickCase : cases) {
        beginPick(PickRequest::SubEntity, [](const MemoryEntity &e) { return e.ownerBlock.empty(); });
        const QPoint at = screenBox(pickCase.target).center();
        click(at);
        ASSERT_TRUE(m_result) << "a sub-entity pick ends with its click";
        EXPECT_FALSE(m_result->cancelled);
        EXPECT_EQ(m_result->handles, std::vector<Handle>{pickCase.target});
        const QPointF point = m_view->toDrawing(at);
        EXPECT_NEAR(m_result->point.x, point.x(), 1e-6);
        EXPECT_NEAR(m_result->point.y, point.y(), 1e-6);
    }
}

TEST(StandInWindow, TitleUndoZoomCenterAndMarker)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("盤図.dxf"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MORVEX_SAMPLE_DRAWING), path));
    const auto document = CadDocument::open(path);
    standin::CadWindow window(*document);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("盤図.dxf"));

    // Two commands of the tool; Ctrl+Z takes back the last one only.
    MemoryDrawing &drawing = *document->drawing();
    const ObjectRef app = drawing.application();
    const ObjectRef doc = app->get(u"ActiveDocument").toObject();
    Handle fan = 0;
    for (const auto &[handle, entity] : drawing.entities()) {
        if (entity.text == u"送風機" && entity.kind == EntityKind::Text)
            fan = handle;
    }
    const ObjectRef text = doc->callWith(u"HandleToObject", {handleToString(fan)}).toObject();
    for (const char16_t *value : {u"第一", u"第二"}) {
        doc->call(u"StartUndoMark");
        text->put(u"TextString", std::u16string(value));
        text->put(u"Height", 5.0);
        doc->call(u"EndUndoMark");
    }
    QTest::keyClick(window.view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(drawing.entity(fan)->text, u"第一");

    // ZoomCenter from the tool: the view follows.
    app->callWith(u"ZoomCenter", {toVariant(Point{160, 100, 0}), 50.0});
    window.followDrawing();
    EXPECT_NEAR(window.view()->viewCenter().x(), 160, 1e-9);
    EXPECT_NEAR(window.view()->viewCenter().y(), 100, 1e-9);
    EXPECT_NEAR(window.view()->height() / window.view()->pixelsPerUnit(), 50, 1e-6);

    // The marker lasts until the next repaint.
    window.drawMarker(MarkerPen{2, 255, 0, 0, false}, {{100, 100}, {110, 120}, {90, 120}, {100, 100}});
    window.view()->grab();
    EXPECT_TRUE(window.view()->isMarkerShown());
    window.view()->grab();
    EXPECT_FALSE(window.view()->isMarkerShown());
}

} // namespace
