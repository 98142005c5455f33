-- A two-dimensional table read over and over by two indexes, as a script weighs each zone of
-- a map against its neighbours.
local function smooth(rows, cols, passes)
  local grid = {}
  for r = 0, rows - 1 do
    local row = {}
    for c = 0, cols - 1 do
      row[c] = (r * cols + c) % 50
    end
    grid[r] = row
  end
  local total = 0
  for pass = 1, passes do
    for r = 1, rows - 2 do
      for c = 1, cols - 2 do
        total = total + grid[r][c] * 4 - grid[r - 1][c] - grid[r + 1][c]
      end
    end
  end
  return total
end

if smooth(100, 100, 900) ~= 423536400 then os.exit(1) end
