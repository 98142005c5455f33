-- Texts built from pieces: a line of fields made from numbers, and a text grown a character
-- at a time and flushed at 80 characters, as a script writes a report.
local function report(count)
  local buffer, written = "", 0
  for i = 1, count do
    local line = "T" .. i .. "=" .. (i % 7) .. ";"
    buffer = buffer .. string.char(65 + i % 26)
    if #buffer >= 80 then
      written = written + #buffer
      buffer = ""
    end
    written = written + #line
  end
  return written + #buffer
end

if report(1000000) ~= 10888896 then os.exit(1) end
