-- Lookups in a table keyed by tag names, as a script keeps values per tag.
local function tagTotal(tags, lookups)
  local d = {}
  for i = 1, tags do
    d["TAG" .. i] = i * 2
  end
  local total = 0
  for i = 1, lookups do
    if d["TAG" .. (i % tags + 1)] ~= nil then
      total = total + d["TAG" .. (i % tags + 1)]
    end
  end
  return total
end

if tagTotal(500, 1000000) ~= 501000000 then os.exit(1) end
