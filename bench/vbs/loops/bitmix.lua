-- A while loop mixing a hash with %, // and & on whole numbers, with a condition of two
-- comparisons joined by and, as a script spreads tags over buckets.
local function mix(count)
  local n, h, odd = 0, 7, 0
  while n < count and h >= 0 do
    local k = (h * 13 + n) % 10007
    h = (k // 3 + (n & 255)) % 30011
    if (k & 1) == 1 then odd = odd + 1 end
    n = n + 1
  end
  return h * 100000 + odd
end

if mix(6000000) ~= 129898593 then os.exit(1) end
