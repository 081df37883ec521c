#include "app/commands.h"

namespace brindle {

int ElementToggleBit(Cmd cmd) {
    switch (cmd) {
        case Cmd::ElementsIcons:
            return 16;
        case Cmd::ElementsSliders:
            return 8;
        case Cmd::ElementsNeedles:
            return 2;
        case Cmd::ElementsSprites:
            return 64;
        case Cmd::ElementsMovingImages:
            return 32;
        default:
            return 0;
    }
}

CommandStatus EvaluateCommand(Cmd cmd, const CommandContext& c) {
    auto on = [](bool e) { return CommandStatus{e, std::nullopt}; };
    auto check = [](bool e, bool k) { return CommandStatus{e, k}; };
    switch (cmd) {
        case Cmd::WindowProperties:
        case Cmd::AddNewWindow:
        case Cmd::DeleteCurrentWindow:
        case Cmd::AddGauge:
        case Cmd::SelectWindow:
        case Cmd::InsertGaugeTool:
        case Cmd::EditInNotepad:
        case Cmd::FixedWindows:
        case Cmd::DesignCheck:
        case Cmd::ExportPanel:
        case Cmd::CopyPanelToAircraft:
        case Cmd::CreateColorPalette:
        case Cmd::ScreenCapture:
        case Cmd::Close:
        case Cmd::SaveAs:
        case Cmd::SelectAll:
        case Cmd::Fit:
            return on(c.panelLoaded);
        case Cmd::TestSkyColor:
            return on(c.panelLoaded && c.backgroundLoaded && c.skyColorTestable);
        case Cmd::SnapToDisplayedGrid:
            return check(true, c.snapToGrid);
        case Cmd::GridVisible:
            return check(true, c.gridVisible);
        case Cmd::GridOnOff:
            return check(c.panelLoaded, c.gridVisible);
        case Cmd::GridSize:
            return on(true);
        case Cmd::Delete:
        case Cmd::Copy:
        case Cmd::Cut:
        case Cmd::SnapToGrid:
        case Cmd::CopyGaugeBitmap:
        case Cmd::AspectRatio:
            return on(c.selectedCount >= 1);
        case Cmd::Paste:
        case Cmd::PasteTool:
            return on(c.clipboardCount >= 1);
        case Cmd::Undo:
            return on(c.undoAvailable && c.panelLoaded);
        case Cmd::Redo:
            return on(c.redoAvailable && c.panelLoaded);
        case Cmd::GaugeProperties:
            return on(c.selectedCount == 1);
        case Cmd::LineUpVertically:
        case Cmd::LineUpHorizontally:
        case Cmd::StackVertically:
        case Cmd::StackHorizontally:
        case Cmd::ContextLineUpVertically:
        case Cmd::ContextLineUpHorizontally:
        case Cmd::SameSizeLargest:
        case Cmd::SameSizeSmallest:
        case Cmd::SameSizeSmallestMenu:
            return on(c.selectedCount >= 2);
        case Cmd::DrawTransparently:
            return check(c.panelLoaded, c.transparentGauges);
        case Cmd::DrawAllElements:
            return check(c.panelLoaded, c.drawAllBitmaps);
        case Cmd::OutlineGauges:
            return check(c.gaugeCount >= 1, c.outlineMode != 0 && c.outlineMode != 3);
        case Cmd::Save:
        case Cmd::Redraw:
        case Cmd::Print:
        case Cmd::PrintPreview:
            return on(c.hasCurrentFile);
        case Cmd::ZoomIn:
            return on(c.hasCurrentFile && c.canZoomIn);
        case Cmd::ZoomOut:
            return on(c.hasCurrentFile && c.canZoomOut);
        case Cmd::SetDefaultPosition:
            return on(c.panelLoaded && !c.currentIsVcockpit);
        case Cmd::EditWindowBitmap:
            return on(c.backgroundLoaded && c.paintProgramLength > 3);
        case Cmd::ElementsStatic:
            return check(false, true);
        case Cmd::ElementsIcons:
        case Cmd::ElementsSliders:
        case Cmd::ElementsNeedles:
        case Cmd::ElementsSprites:
        case Cmd::ElementsMovingImages:
            // The filter only matters while all elements are drawn.
            return check(c.drawAllBitmaps, (c.gaugeDrawTypes & ElementToggleBit(cmd)) != 0);
        case Cmd::ViewGaugeOutlines:
        case Cmd::ViewGauges:
        case Cmd::ViewTransparentGauges:
        case Cmd::Logging:
            return on(false);
        default:
            return on(true);
    }
}

}  // namespace brindle
