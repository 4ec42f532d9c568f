-- The manual in the archive travels without the repository's other pages:
-- a link to one of them (a .md file) keeps its words and loses the link.
function Link(link)
  if link.target:match("%.md$") or link.target:match("%.md#") then
    return link.content
  end
end
