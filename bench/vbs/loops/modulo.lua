-- Integer arithmetic with % and // over a function's own variables: a checksum of a
-- counter, as a script that spreads work over buckets or scales readings would do.
local function checksum(count)
  local a, b, c = 1, 0, 0
  for i = 1, count do
    a = (a * 31 + i) % 65521
    b = (b + a) % 65521
    c = c + (a // 16) - (b // 256) + i % 10
  end
  return b * 65536 + a + c
end

if checksum(5000000) ~= 11615064036 then os.exit(1) end
