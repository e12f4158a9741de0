-- The interface's start-up script. The program runs this file, then Init(), and calls
-- FROMAPP_FPSCOUNTER every frame; the error window's buttons call set_Colour, hints
-- call DoFloatingHint and HideFloatingHint, custom list box rows call setIndexID.
--
-- Top left: the frame rate and a button that reloads the interface from these files,
-- so an edited script shows without restarting the program. Bottom left: the model
-- types, filled in by the program. Top right: a panel of the small widgets.
--
-- The ids of what is built are kept in `ui`, so the console can reach them
-- (try: qgui_set(ui.panel, PROP_ALPHA, 128)).

ui = {}

local hint

local FONT = "Tahoma_70_Fixed_16_2.DFF;0.29;0.1;0.6;2"
local SMALL_FONT = "Tahoma_70_Fixed_16_2.DFF;0.23;0.1;0.6;1"
local TITLE_FONT = "Trebuchet MS_70_Fixed_16_2.DFF;0.36;0.15;0.6;1"
local ACCENT = {60, 140, 230}

local function bounds(id, x, y, w, h)
  qgui_set(id, PROP_X, x)
  qgui_set(id, PROP_Y, y)
  qgui_set(id, PROP_W, w)
  qgui_set(id, PROP_H, h)
end

local function make(kind, parent, x, y, w, h)
  local id = qgui_create(kind, parent)
  bounds(id, x, y, w, h)
  return id
end

local function label(parent, x, y, w, h, text)
  local id = make(TYPE_LABEL, parent, x, y, w, h)
  qgui_set(id, PROP_FONT_NAME, FONT)
  qgui_set(id, PROP_FONT_COL, 255, 255, 255, 255)
  qgui_set(id, PROP_COL1, 0, 0, 0, 0)
  qgui_set(id, PROP_TEXT, text)
  return id
end

-- A dark, slightly see-through body with the raised frame and a title strip.
local function panel(x, y, w, h, title)
  local id = make(TYPE_ELEMENT, desktop, x, y, w, h)
  qgui_set(id, PROP_COL1, 24, 28, 36, 215)
  qgui_set(id, PROP_TEXTURE, "panel.png")
  qgui_set(id, PROP_TILE, true)
  qgui_set(id, PROP_EDGES, true)
  qgui_set(id, PROP_EDGES_TEXTURE, "corners2.png")
  local heading = label(id, 8, 4, w - 16, 20, title)
  qgui_set(heading, PROP_FONT_NAME, TITLE_FONT)
  qgui_set(heading, PROP_FONT_COL, 190, 215, 255, 255)
  qgui_set(heading, PROP_NOMOUSEEVT, true)
  return id
end

local function anchor(id, left, right, top, bottom)
  qgui_set(id, PROP_ANCHOR, left, right, top, bottom)
end

function set_Colour(id, property, c)
  qgui_set(id, property, c.red, c.green, c.blue, c.alpha)
end

function setIndexID(list, index)
  qgui_set(list, PROP_INDEX, index)
end

function DoFloatingHint(text, x, y)
  if not hint then return end
  qgui_set(hint, PROP_W, 10)  -- autosize only widens
  qgui_set(hint, PROP_TEXT, text)
  qgui_autosizecheck(hint)
  qgui_set(hint, PROP_X, x + 12)
  qgui_set(hint, PROP_Y, y + 12)
  qgui_set(hint, PROP_VISIBLE, true)
  qgui_bringtofront(hint)
end

function HideFloatingHint()
  if hint then qgui_set(hint, PROP_VISIBLE, false) end
end

function FROMAPP_FPSCOUNTER(fps)
  if ui.fps then qgui_set(ui.fps, PROP_TEXT, "FPS: " .. localization(fps)) end
end

-- Adds a line at the bottom of the widget panel's list and scrolls to it.
function note(text)
  if not ui.list then return end
  local items = qgui_get(ui.list, PROP_TEXT) .. text .. "\r"
  qgui_set(ui.list, PROP_TEXT, items)
  local _, count = string.gsub(items, "\r", "")
  qgui_set(ui.list, PROP_INDEX, count - 1)
end

-- Enter in the edit moves its text into the list.
function submitEdit(key)
  if key ~= 13 then return end
  local text = qgui_get(ui.edit, PROP_TEXT)
  if text == "" then return end
  note(text)
  qgui_set(ui.edit, PROP_TEXT, "")
end

function showUnits(shown)
  qgui_set(ui.units, PROP_VISIBLE, shown)
end

function fadeUnits(percent)
  qgui_set(ui.units, PROP_ALPHA, percent * 255 / 100)
  qgui_set(ui.opacity, PROP_TEXT, "Opacity " .. percent .. "%")
end

local function buildFrameRate()
  ui.fps = label(desktop, 8, 8, 110, 22, "FPS: 0")
  qgui_set(ui.fps, PROP_COL1, 20, 20, 20, 160)
  qgui_set(ui.fps, PROP_NOMOUSEEVT, true)
end

local function buildReloadButton()
  local button = label(desktop, 8, 34, 110, 26, "Reload")
  ui.reload = button
  qgui_set(button, PROP_HALIGN, ALIGN_MIDDLE)
  qgui_set(button, PROP_COL1, 45, 45, 45, 255)
  qgui_set(button, PROP_BEVEL, true)
  qgui_set(button, PROP_BEVEL_COL1, 62, 62, 62, 255)
  qgui_set(button, PROP_BEVEL_COL2, 22, 22, 22, 255)
  qgui_set(button, PROP_HINT, "Reload the interface from the lua folder")
  qgui_setcallback(button, CALLBACK_MOUSEOVER, "qgui_set(%id,PROP_COL1,70,70,70,255)")
  qgui_setcallback(button, CALLBACK_MOUSELEAVE, "qgui_set(%id,PROP_COL1,45,45,45,255)")
  qgui_setcallback(button, CALLBACK_MOUSEDOWN,
    "set_Colour(%id,PROP_BEVEL_COL1,{red=22,green=22,blue=22,alpha=255});" ..
    "set_Colour(%id,PROP_BEVEL_COL2,{red=62,green=62,blue=62,alpha=255});")
  qgui_setcallback(button, CALLBACK_MOUSEUPANY,
    "set_Colour(%id,PROP_BEVEL_COL1,{red=62,green=62,blue=62,alpha=255});" ..
    "set_Colour(%id,PROP_BEVEL_COL2,{red=22,green=22,blue=22,alpha=255});")
  qgui_setcallback(button, CALLBACK_MOUSECLICK, "if %b == 0 then qgui_debug(0) end")
end

-- Two rows of twelve cells: the program fills them with the model types, a click
-- selects the type's first model in the window's unit list, resting shows its name.
local function buildUnitStrip()
  local columns, cell = 12, 46
  local w = columns * cell + 12
  ui.units = panel(8, ScrHeight - 8 - 142, w + 8, 142, "Model types")
  anchor(ui.units, true, false, false, true)
  ui.unitList = make(TYPE_UNITLIST, ui.units, 4, 26, w, 112)
  qgui_set(ui.unitList, PROP_FONT_NAME, FONT)
end

local function buildCheckRow(parent, y)
  ui.check = make(TYPE_CHECKBOX, parent, 10, y, 20, 20)
  qgui_set(ui.check, PROP_TEXTURE, "checkbox.png")
  qgui_set(ui.check, PROP_TEXTURE2, "check.png")
  qgui_set(ui.check, PROP_COL2, 255, 255, 255, 255)
  qgui_set(ui.check, PROP_CHECKED, true)
  qgui_setcallback(ui.check, CALLBACK_CHECKED, "showUnits(%value)")
  local text = label(parent, 36, y, 190, 20, "Show the model types")
  qgui_set(text, PROP_FONT_NAME, SMALL_FONT)
  qgui_setcallback(text, CALLBACK_MOUSECLICK,
    "qgui_set(ui.check, PROP_CHECKED, not qgui_get(ui.check, PROP_CHECKED))")
end

local function buildOpacityRow(parent, y)
  ui.opacity = label(parent, 10, y, 100, 18, "")
  qgui_set(ui.opacity, PROP_FONT_NAME, SMALL_FONT)
  ui.bar = make(TYPE_PROGRESSBAR, parent, 112, y + 3, 116, 12)
  qgui_set(ui.bar, PROP_COL1, 14, 16, 22, 230)
  qgui_set(ui.bar, PROP_BEVEL_COL1, 8, 8, 12, 255)
  qgui_set(ui.bar, PROP_BEVEL_COL2, 70, 80, 100, 255)
  qgui_set(ui.bar, PROP_COL2, ACCENT[1], ACCENT[2], ACCENT[3], 255)
  qgui_set(ui.bar, PROP_GRADIENT, true)
  qgui_set(ui.bar, PROP_GRADIENT_COL1, 110, 180, 255, 255)
  qgui_set(ui.bar, PROP_GRADIENT_COL2, 40, 100, 200, 255)
  qgui_set(ui.bar, PROP_MINMAX, 20, 100)
  qgui_set(ui.bar, PROP_HINT, "Drag to fade the model types")
  qgui_setcallback(ui.bar, CALLBACK_PROGRESS, "fadeUnits(%p)")
  qgui_set(ui.bar, PROP_PROGRESS, 100)
end

local function buildEdit(parent, y)
  ui.edit = make(TYPE_EDIT, parent, 10, y, 218, 24)
  qgui_set(ui.edit, PROP_FONT_NAME, SMALL_FONT)
  qgui_set(ui.edit, PROP_FONT_COL, 255, 255, 255, 255)
  qgui_set(ui.edit, PROP_TEXTURE2, "edit.png")
  qgui_set(ui.edit, PROP_COL2, 255, 255, 255, 255)
  qgui_set(ui.edit, PROP_BEVEL, false)
  qgui_set(ui.edit, PROP_TEXT, "")
  qgui_set(ui.edit, PROP_HINT, "Type a line, Enter adds it to the list")
  qgui_setcallback(ui.edit, CALLBACK_KEYDOWN, "submitEdit(%k)")
end

local function buildList(parent, y, h)
  ui.list = make(TYPE_LISTBOX, parent, 10, y, 202, h)
  qgui_set(ui.list, PROP_FONT_NAME, SMALL_FONT)
  qgui_set(ui.list, PROP_FONT_COL, 230, 235, 245, 255)
  qgui_set(ui.list, PROP_COL1, 10, 12, 18, 200)
  qgui_set(ui.list, PROP_HIGHLIGHTCOL, ACCENT[1], ACCENT[2], ACCENT[3], 200)
  qgui_set(ui.list, PROP_EDGES, true)
  qgui_set(ui.list, PROP_EDGES_TEXTURE, "listedges.png")
  local bar = make(TYPE_SCROLLBAR, parent, 216, y, 12, h)
  qgui_set(bar, PROP_COL1, 40, 44, 56, 160)
  qgui_set(bar, PROP_COL2, 255, 255, 255, 255)
  qgui_set(bar, PROP_TEXTURE2, "scrollbar.png")
  qgui_set(ui.list, PROP_SCROLLBAR, bar)
  qgui_set(ui.list, PROP_TEXT, table.concat({
    "Welcome to ZQ GPU.",
    "This GUI is drawn with GL",
    "and written in Lua.",
    "Click a model type below:",
    "the window's list follows.",
    "Rest on one for its name.",
    "The bar fades the types.",
    "Wheel here to scroll.",
    "Edit lua/menu.lua, Reload.",
  }, "\r") .. "\r")
end

local function buildWidgetPanel()
  local w, h = 238, 226
  ui.panel = panel(ScrWidth - 8 - w, 8, w, h, "Widgets")
  anchor(ui.panel, false, true, true, false)
  buildCheckRow(ui.panel, 30)
  buildOpacityRow(ui.panel, 56)
  buildEdit(ui.panel, 80)
  buildList(ui.panel, 112, h - 120)
end

local function buildHint()
  hint = label(desktop, 0, 0, 10, 20, "")
  qgui_set(hint, PROP_COL1, 20, 20, 20, 220)
  qgui_set(hint, PROP_AUTOSIZE, true)
  qgui_set(hint, PROP_NOMOUSEEVT, true)
  qgui_set(hint, PROP_VISIBLE, false)
end

function Init()
  buildFrameRate()
  buildReloadButton()
  buildUnitStrip()
  buildWidgetPanel()
  buildHint()
end
